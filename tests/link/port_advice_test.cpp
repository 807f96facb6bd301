// The words for a port that would not open: chosen by the error the port reports and
// filled in with what is known of the device, in both languages.
#include "link/port_advice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <grp.h>
#include <unistd.h>

namespace r57::link {
namespace {

TEST(PortAdvice, SystemErrorsGiveTheirKind) {
    const struct {
        int error;
        PortAdviceKind kind;
    } table[] = {
        {EACCES, PortAdviceKind::PermissionDenied},
        {EPERM, PortAdviceKind::PermissionDenied},
        {EBUSY, PortAdviceKind::Busy},
        {ENOENT, PortAdviceKind::NoSuchDevice},
        {ENODEV, PortAdviceKind::NoSuchDevice},
        {ENXIO, PortAdviceKind::NoSuchDevice},
        {EIO, PortAdviceKind::Other},
        {0, PortAdviceKind::Other},
    };
    for (const auto& row : table) {
        EXPECT_EQ(PortAdviceKindFromErrno(row.error), row.kind) << row.error;
    }
}

PortFailureFacts Facts(PortAdviceKind kind, const char* device = "/dev/ttyUSB0") {
    PortFailureFacts facts;
    facts.kind = kind;
    facts.device = device;
    return facts;
}

TEST(PortAdvice, EachFailureNamesItsCauseAndRemedy) {
    PortFailureFacts ann = Facts(PortAdviceKind::PermissionDenied);
    ann.user = "ann";
    PortFailureFacts uucp = Facts(PortAdviceKind::PermissionDenied, "/dev/ttyACM1");
    uucp.group = "uucp";
    PortFailureFacts joined = Facts(PortAdviceKind::PermissionDenied);
    joined.joinedAfterLogin = true;
    PortFailureFacts held = Facts(PortAdviceKind::Busy);
    held.holder = "minicom";
    held.holderPid = 4711;
    const PortFailureFacts busy = Facts(PortAdviceKind::Busy);
    const PortFailureFacts missing = Facts(PortAdviceKind::NoSuchDevice, "/dev/ttyUSB3");
    const PortFailureFacts ch340 = Facts(PortAdviceKind::VanishedCh340);

    // The reason holds `reason`, the remedy holds `remedy`, neither holds `absent`.
    const struct {
        PortFailureFacts facts;
        int language;
        std::string reason, remedy, absent;
    } table[] = {
        {ann, 0, "/dev/ttyUSB0: it belongs to the group \"dialout\"",
         "sudo usermod -aG dialout ann\nthen log out and in", "{"},
        {uucp, 1, "/dev/ttyACM1 的权限：该设备属于“uucp”组", "sudo usermod -aG uucp $USER",
         "dialout"},
        {uucp, 1, "", "注销并重新登录", "{"},
        {joined, 0, "after this session began", "Log out and in", "usermod"},
        {held, 0, "in use by another program: minicom (process 4711).", "Close that", "{"},
        {held, 1, "正被另一个程序占用：minicom（进程 4711）。", "关闭", "{"},
        {busy, 0, "/dev/ttyUSB0 is in use by another program.", "terminal program", ": ."},
        {missing, 0, "no device /dev/ttyUSB3: the programming cable is not plugged in",
         "Plug the cable", "{"},
        {missing, 1, "找不到设备 /dev/ttyUSB3：写频线没有插上", "插到计算机上", "{"},
        {ch340, 0, "CH340 adapter appeared and vanished", "sudo apt remove brltty\nthen unplug",
         "{"},
        {ch340, 1, "brltty 会占用这类适配器", "sudo apt remove brltty\n然后拔下", "{"},
    };
    for (const auto& row : table) {
        const PortAdvice advice = AdviseOnPortFailure(row.facts, row.language);
        SCOPED_TRACE(advice.reason + "\n" + advice.remedy);
        EXPECT_FALSE(advice.remedy.empty());
        EXPECT_NE(advice.reason.find(row.reason), std::string::npos) << row.reason;
        EXPECT_NE(advice.remedy.find(row.remedy), std::string::npos) << row.remedy;
        EXPECT_EQ((advice.reason + advice.remedy).find(row.absent), std::string::npos);
    }
}

TEST(PortAdvice, OtherFailuresAddNothing) {
    EXPECT_TRUE(AdviseOnPortFailure(Facts(PortAdviceKind::Other), 0).empty());
    EXPECT_TRUE(AdviseOnPortFailure(Facts(PortAdviceKind::Other), 1).empty());
}

TEST(PortAdvice, DeviceGroupAndLateMembershipFromTheSystem) {
    const group* own = getgrgid(getegid());
    ASSERT_NE(own, nullptr);
    // The session has its own group already, and a group that does not exist was never joined.
    EXPECT_FALSE(GroupJoinedAfterLogin(own->gr_name));
    EXPECT_FALSE(GroupJoinedAfterLogin("r57-no-such-group"));
    EXPECT_EQ(DeviceGroup("/dev/null"), "root");
    EXPECT_EQ(DeviceGroup("/dev/r57-no-such-device"), "");
}

} // namespace
} // namespace r57::link
