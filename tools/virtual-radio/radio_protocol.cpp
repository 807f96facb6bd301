#include "radio_protocol.h"

#include "core/address_map.h"

#include <cstdio>
#include <cstring>

namespace r57::radio {

namespace {

constexpr char kHandshake[] = "PROIR57";
constexpr std::size_t kHandshakeLength = 7;
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kIdentify = 0x02;
constexpr int kMaxBlock = 0x40;
constexpr int kIdentBandBytes = 12; // band-limit bytes the identification carries
// Firmware version bytes the identification ends with.
constexpr std::array<uint8_t, 4> kFirmware{0x01, 0x10, 0x00, 0x00};

bool IsPackedDecimal(uint8_t b) {
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

bool BlockFits(int address, int length) {
    return length >= 1 && length <= kMaxBlock && address + length <= addr::kImageSize;
}

} // namespace

void FrameParser::feed(const uint8_t* data, std::size_t count) {
    pending_.insert(pending_.end(), data, data + count);
}

FrameParser::Scan FrameParser::scanFront(std::size_t& length) const {
    const std::size_t have = pending_.size();
    const uint8_t first = pending_.front();
    switch (first) {
    case kIdentify:
    case kAck:
    case 'E':
        length = 1;
        return Scan::Complete;
    case 'P':
        for (std::size_t i = 1; i < have && i < kHandshakeLength; ++i)
            if (pending_[i] != static_cast<uint8_t>(kHandshake[i]))
                return Scan::Invalid;
        length = kHandshakeLength;
        return have >= length ? Scan::Complete : Scan::NeedMore;
    case 'T':
        for (std::size_t i = 1; i < have && i < 8; ++i)
            if (!IsPackedDecimal(pending_[i]))
                return Scan::Invalid;
        length = 8;
        return have >= length ? Scan::Complete : Scan::NeedMore;
    case 'R':
    case 'W': {
        if (have < 4)
            return Scan::NeedMore;
        const int address = pending_[1] << 8 | pending_[2];
        const int blockLength = pending_[3];
        if (!BlockFits(address, blockLength))
            return Scan::Invalid;
        length = first == 'R' ? 4 : 4 + static_cast<std::size_t>(blockLength);
        return have >= length ? Scan::Complete : Scan::NeedMore;
    }
    default:
        return Scan::Invalid;
    }
}

std::optional<Frame> FrameParser::next() {
    while (!pending_.empty()) {
        std::size_t length = 0;
        const Scan scan = scanFront(length);
        if (scan == Scan::NeedMore)
            return std::nullopt;
        if (scan == Scan::Invalid) {
            pending_.pop_front();
            ++dropped_;
            continue;
        }
        Frame frame;
        frame.bytes.assign(pending_.begin(), pending_.begin() + static_cast<long>(length));
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(length));
        switch (frame.bytes[0]) {
        case 'P':
            frame.type = FrameType::Handshake;
            break;
        case kIdentify:
            frame.type = FrameType::Identify;
            break;
        case kAck:
            frame.type = FrameType::Acknowledge;
            break;
        case 'T':
            frame.type = FrameType::Time;
            break;
        case 'E':
            frame.type = FrameType::End;
            break;
        default:
            frame.type = frame.bytes[0] == 'R' ? FrameType::Read : FrameType::Write;
            frame.address = frame.bytes[1] << 8 | frame.bytes[2];
            frame.length = frame.bytes[3];
            break;
        }
        return frame;
    }
    return std::nullopt;
}

void FrameParser::abandonPartial() {
    if (!pending_.empty()) {
        pending_.pop_front();
        ++dropped_;
    }
}

Radio::Radio(const CodeplugImage& memory, char model, std::vector<uint8_t> identOverride,
             Faults faults)
    : memory_(memory), model_(model), identOverride_(std::move(identOverride)),
      faults_(std::move(faults)) {}

std::array<uint8_t, 16> Radio::identification() const {
    std::array<uint8_t, 16> id{};
    memory_.read(addr::kBandLimits, id.data(), kIdentBandBytes);
    std::memcpy(id.data() + kIdentBandBytes, kFirmware.data(), kFirmware.size());
    for (std::size_t i = 0; i < identOverride_.size() && i < id.size(); ++i)
        id[i] = identOverride_[i];
    return id;
}

std::vector<uint8_t> Radio::answer(const Frame& frame) {
    switch (frame.type) {
    case FrameType::Handshake:
        inSession_ = true;
        return {kAck, static_cast<uint8_t>(model_)};
    case FrameType::Identify: {
        const auto id = identification();
        return {id.begin(), id.end()};
    }
    case FrameType::Acknowledge:
        return {kAck};
    case FrameType::Read: {
        // The header echoes the block as a write frame would carry it.
        std::vector<uint8_t> reply{'W', frame.bytes[1], frame.bytes[2], frame.bytes[3]};
        reply.resize(4 + static_cast<std::size_t>(frame.length));
        memory_.read(frame.address, reply.data() + 4, static_cast<std::size_t>(frame.length));
        return reply;
    }
    case FrameType::Write:
        memory_.write(frame.address, frame.bytes.data() + 4,
                      static_cast<std::size_t>(frame.length));
        // A cell that does not keep what it is given: acknowledged all the same.
        for (int address : faults_.corruptWrite) {
            if (address >= frame.address && address < frame.address + frame.length)
                memory_.set(address, static_cast<uint8_t>(~memory_.at(address)));
        }
        return {kAck};
    case FrameType::Time: {
        std::array<uint8_t, 7> time{};
        std::memcpy(time.data(), frame.bytes.data() + 1, time.size());
        lastTime_ = time;
        return {kAck};
    }
    case FrameType::End:
        return {};
    }
    return {};
}

Response Radio::handle(const Frame& frame) {
    Response r;
    const long n = ++frames_;
    r.logLine = std::to_string(n) + " " + DescribeFrame(frame);
    if (faults_.silentAfter >= 0 && n > faults_.silentAfter) {
        r.logLine += " [silent]";
        return r;
    }
    // A write cut off part-way (power lost, the cable pulled and put back): the frames
    // before stay stored, nothing is answered until the program's closing "E".
    if (frame.type == FrameType::Write && faults_.cutWrite >= 0 && !cutting_ &&
        ++writes_ > faults_.cutWrite) {
        cutting_ = true;
        faults_.cutWrite = -1; // once
    }
    if (cutting_) {
        cutting_ = frame.type != FrameType::End;
        r.logLine += " [cut]";
        if (cutting_)
            return r;
    }
    if (frame.type == FrameType::End) {
        r.sessionEnded = inSession_;
        if (inSession_)
            ++sessionsEnded_;
        inSession_ = false;
    }
    r.reply = answer(frame);
    if (faults_.drop.count(n)) {
        r.reply.clear();
        r.logLine += " [dropped]";
    } else if (faults_.garble.count(n) && !r.reply.empty()) {
        r.reply[0] ^= 0xFF;
        r.logLine += " [garbled]";
    } else if (faults_.shortReply.count(n) && !r.reply.empty()) {
        r.reply.pop_back();
        r.logLine += " [short]";
    }
    if (auto it = faults_.longer.find(n); it != faults_.longer.end() && !r.reply.empty()) {
        r.reply.insert(r.reply.end(), static_cast<std::size_t>(it->second), 0xAA);
        r.logLine += " [long]";
    }
    if (auto it = faults_.late.find(n); it != faults_.late.end() && !r.reply.empty()) {
        r.delayMs = it->second;
        r.logLine += " [late]";
    }
    return r;
}

std::string DescribeFrame(const Frame& frame) {
    char text[64];
    switch (frame.type) {
    case FrameType::Handshake:
        return "PROIR57";
    case FrameType::Identify:
        return "02";
    case FrameType::Acknowledge:
        return "06";
    case FrameType::End:
        return "E";
    case FrameType::Read:
    case FrameType::Write:
        std::snprintf(text, sizeof text, "%c %04X %02X", frame.type == FrameType::Read ? 'R' : 'W',
                      frame.address, frame.length);
        return text;
    case FrameType::Time: {
        std::string s = "T";
        for (std::size_t i = 1; i < frame.bytes.size(); ++i) {
            std::snprintf(text, sizeof text, " %02X", frame.bytes[i]);
            s += text;
        }
        return s;
    }
    }
    return "?";
}

} // namespace r57::radio
