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
        PortFailure kind;
    } table[] = {
        {EACCES, PortFailure::PermissionDenied},
        {EPERM, PortFailure::PermissionDenied},
        {EBUSY, PortFailure::Busy},
        {ENOENT, PortFailure::NoSuchDevice},
        {ENODEV, PortFailure::NoSuchDevice},
        {ENXIO, PortFailure::NoSuchDevice},
        {EIO, PortFailure::Other},
        {0, PortFailure::Other},
    };
    for (const auto& row : table) {
        EXPECT_EQ(PortFailureFromErrno(row.error), row.kind) << row.error;
    }
}

struct AdviceCase {
    const char* name;
    PortFailureFacts facts;
    int language;
    std::vector<const char*> inReason;
    std::vector<const char*> inRemedy;
    std::vector<const char*> absent; // in neither
};

PortFailureFacts Facts(PortFailure kind, const char* device = "/dev/ttyUSB0") {
    PortFailureFacts facts;
    facts.kind = kind;
    facts.device = device;
    return facts;
}

TEST(PortAdvice, EachFailureNamesItsCauseAndRemedy) {
    PortFailureFacts ann = Facts(PortFailure::PermissionDenied);
    ann.user = "ann";
    PortFailureFacts uucp = Facts(PortFailure::PermissionDenied, "/dev/ttyACM1");
    uucp.group = "uucp";
    PortFailureFacts joined = Facts(PortFailure::PermissionDenied);
    joined.joinedAfterLogin = true;
    PortFailureFacts held = Facts(PortFailure::Busy);
    held.holder = "minicom (process 4711)";

    const AdviceCase table[] = {
        {"not in dialout",
         ann,
         0,
         {"/dev/ttyUSB0", "\"dialout\""},
         {"sudo usermod -aG dialout ann", "log out and in"},
         {"{"}},
        {"no user name, other group, Chinese",
         uucp,
         1,
         {"/dev/ttyACM1", "“uucp”"},
         {"sudo usermod -aG uucp $USER", "注销并重新登录"},
         {"{", "dialout"}},
        {"joined after log-in",
         joined,
         0,
         {"after this session began"},
         {"Log out and in"},
         {"usermod"}},
        {"busy, holder known",
         held,
         0,
         {"in use", "minicom (process 4711)"},
         {"Close that"},
         {"{"}},
        {"busy, holder known, Chinese",
         held,
         1,
         {"占用", "minicom (process 4711)"},
         {"关闭"},
         {"{"}},
        {"busy, holder unknown",
         Facts(PortFailure::Busy),
         0,
         {"in use by another program."},
         {"terminal program"},
         {"{", ": ."}},
        {"missing",
         Facts(PortFailure::NoSuchDevice, "/dev/ttyUSB3"),
         0,
         {"/dev/ttyUSB3", "not plugged in"},
         {"Plug the cable"},
         {"{"}},
        {"missing, Chinese", Facts(PortFailure::NoSuchDevice), 1, {"没有插上"}, {"插到"}, {"{"}},
        {"CH340 gone",
         Facts(PortFailure::VanishedCh340),
         0,
         {"CH340", "brltty"},
         {"sudo apt remove brltty", "plug it in again"},
         {"{"}},
        {"CH340 gone, Chinese",
         Facts(PortFailure::VanishedCh340),
         1,
         {"CH340", "brltty"},
         {"sudo apt remove brltty", "重新插上"},
         {"{"}},
    };
    for (const AdviceCase& row : table) {
        SCOPED_TRACE(row.name);
        const PortAdvice advice = AdviseOnPortFailure(row.facts, row.language);
        ASSERT_FALSE(advice.empty());
        for (const char* text : row.inReason) {
            EXPECT_NE(advice.reason.find(text), std::string::npos) << text << "\n" << advice.reason;
        }
        for (const char* text : row.inRemedy) {
            EXPECT_NE(advice.remedy.find(text), std::string::npos) << text << "\n" << advice.remedy;
        }
        for (const char* text : row.absent) {
            EXPECT_EQ((advice.reason + advice.remedy).find(text), std::string::npos) << text;
        }
    }
}

TEST(PortAdvice, OtherFailuresAddNothing) {
    EXPECT_TRUE(AdviseOnPortFailure(Facts(PortFailure::Other), 0).empty());
    EXPECT_TRUE(AdviseOnPortFailure(Facts(PortFailure::Other), 1).empty());
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
