// The 256 channels as the alternate channel panel shows them, as named fields: for
// every used channel its fourteen grid fields ("A1 RX Freq" ... "A1 Scrambler") and its
// option signalling ("A1 Signal Type", "A1 Signal Decode", "A1 Auto Response",
// "A1 ID Code"). Values go through the same rules as the grid and the panel, acting on
// a private copy of the image; write() hands over the channel records and, for every
// used channel, its name and ID block.
#pragma once

#include "model/sheet/bank_sheet.h"

#include "core/session.h"
#include "model/page.h"

#include <memory>

namespace r57 {

class ChannelsPage : public Page {
public:
    ChannelsPage(); // a fresh page: every channel empty, the start-up band limits
    ~ChannelsPage() override;

    std::string name() const override { return "Channels"; }
    void load(CodeplugImage& image) override;
    void write(CodeplugImage& image) const override;
    std::vector<PageField> fields() const override;
    std::optional<std::string> fieldText(const std::string& name) const override;
    std::string setField(const std::string& name, const std::string& text) override;

private:
    void channelFields(int bank, int row, std::vector<PageField>& list) const;
    std::string setChannelField(int bank, int row, int column, const std::string& text);
    std::string setSignalField(int bank, int row, int which, const std::string& text);

    Session session_; // language English, whatever the window shows
    std::unique_ptr<BankSheet> sheets_[2];
};

} // namespace r57
