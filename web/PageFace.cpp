// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's face of the program: the services the window's model asks for, as calls into
// the page's script, collatzPage, and every function the script calls here. Texts cross as
// UTF-16, as the model keeps them, each by where it starts and its length.

#include "Chimes.h"
#include "WindowModel.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>

namespace {

std::u16string json(std::u16string_view text)
{
    std::u16string quoted = u"\"";
    for (char16_t c : text) {
        if (c == u'"' || c == u'\\')
            quoted += u'\\';
        if (c < 0x20) {
            static constexpr char16_t hex[] = u"0123456789abcdef";
            quoted += std::u16string(u"\\u00") + hex[c >> 4] + hex[c & 15];
        } else {
            quoted += c;
        }
    }
    return quoted + u'"';
}

std::u16string json(double number)
{
    const std::string text = number == std::floor(number) ? std::to_string(std::int64_t(number)) : std::to_string(number);
    return std::u16string(text.begin(), text.end());
}

class PageFace final : public Services {
public:
    void askForEntry(std::u16string_view prompt, std::u16string_view title, std::u16string_view refused,
                     std::function<void(Entry)> answered) override
    {
        entryAnswered = std::move(answered);
        EM_ASM(collatzPage.askForEntry(UTF16ToString($0, 2 * $1), UTF16ToString($2, 2 * $3), UTF16ToString($4, 2 * $5)),
               prompt.data(), prompt.size(), title.data(), title.size(), refused.data(), refused.size());
    }
    void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered) override
    {
        yesNoAnswered = std::move(answered);
        EM_ASM(collatzPage.askYesNo(UTF16ToString($0, 2 * $1), UTF16ToString($2, 2 * $3)), question.data(), question.size(),
               title.data(), title.size());
    }
    void showStartingValue(std::u16string_view text) override { EM_ASM(collatzPage.showStartingValue(UTF16ToString($0, 2 * $1)), text.data(), text.size()); }
    void showSequence(std::u16string_view text) override { EM_ASM(collatzPage.showSequence(UTF16ToString($0, 2 * $1)), text.data(), text.size()); }
    void playChime(const char *fileName) override
    {
        for (Chime &chime : m_chimes) {
            while (fileName == std::string_view(chime.name) && !chime.kept)
                make(chime);
        }
        EM_ASM(collatzPage.playChime(UTF8ToString($0)), fileName);
    }
    void stopChime() override { EM_ASM(collatzPage.stopChime()); }
    void showPanel(const Panel::View &view, bool bringIntoView) override;
    void showMessage(std::u16string_view text) override { EM_ASM(collatzPage.showMessage(UTF16ToString($0, 2 * $1)), text.data(), text.size()); }
    void save(const SavedFile &file) override { EM_ASM(collatzPage.save(UTF8ToString($0), UTF8ToString($1), !!$2), file.name.c_str(), file.contents.c_str(), file.picture); }
    void copyLink(const std::string &form, std::function<void(bool)> done) override
    {
        copied = std::move(done);
        EM_ASM(collatzPage.copyLink(UTF8ToString($0)), form.c_str());
    }
    // The work is handed to the browser's timer, and deleted as it is done.
    void later(std::function<void()> work, int milliseconds) override
    {
        using Work = std::function<void()>;
        emscripten_set_timeout([](void *kept) { (*std::unique_ptr<Work>(static_cast<Work *>(kept)))(); }, milliseconds,
                               new Work(std::move(work)));
    }
    void end() override { EM_ASM(collatzPage.end()); }

    // Makes the next chime for about this long, and hands it to the page once made; true once
    // both are. A slice ends with its chime, so that the click after the first touch waits
    // for no more than 初期化's.
    bool prepareChimes(std::chrono::milliseconds slice)
    {
        const auto until = std::chrono::steady_clock::now() + slice;
        const auto next = std::find_if(m_chimes.begin(), m_chimes.end(), [](const Chime &chime) { return !chime.kept; });
        while (next != m_chimes.end() && !next->kept && std::chrono::steady_clock::now() < until)
            make(*next);
        return m_chimes.back().kept;
    }

    // What the page was asked last, which its answer takes.
    std::function<void(Entry)> entryAnswered;
    std::function<void(bool)> yesNoAnswered;
    std::function<void(bool)> copied;

private:
    struct Chime {
        const char *name;
        std::optional<Chimes::Synthesis> synthesis;
        bool kept = false;
    };

    // Makes a few more of a chime's samples, and once all are made, hands them over as
    // floats, copied out of the module's memory, which the page plays as they are. A few at
    // a time, the browser goes on to the code it compiles better while the samples are made.
    static void make(Chime &chime)
    {
        if (!chime.synthesis)
            chime.synthesis.emplace(chime.name);
        if (!chime.synthesis->advance(1024))
            return;
        const std::vector<float> levels = chime.synthesis->levels();
        EM_ASM(collatzPage.keepChime(UTF8ToString($0), HEAPF32.slice($1 >> 2, ($1 >> 2) + $2), $3), chime.name, levels.data(),
               levels.size(), Chimes::rate);
        chime.kept = true;
        chime.synthesis.reset();
    }

    std::array<Chime, 2> m_chimes{{{ProgramText::resetChime, {}, false}, {ProgramText::exitChime, {}, false}}};
    // What each panel was last shown with: its drawing and records cross again only when
    // they are others.
    std::array<std::shared_ptr<const std::string>, Panel::tables.size()> m_drawn;
    std::array<std::shared_ptr<const std::vector<Panel::RecordRow>>, Panel::tables.size()> m_listed;
};

void PageFace::showPanel(const Panel::View &view, bool bringIntoView)
{
    std::u16string text = u"{\"id\":" + json(int(view.id)) + u",\"title\":" + json(view.title) + u",\"summary\":" + json(view.summary)
                          + u",\"note\":" + json(view.note) + u",\"progress\":" + json(view.progress) + u",\"ticked\":[";
    for (std::uint32_t start : view.ticked)
        text += json(start) + u',';
    if (text.back() == u',')
        text.pop_back();
    text += u"],\"controls\":[";
    for (const Panel::ControlState &state : view.controls)
        text += u"[" + json(state.enabled) + u',' + json(state.checked) + u',' + json(state.number) + u',' + json(state.tip) + u"],";
    text.back() = u']';
    std::shared_ptr<const std::vector<Panel::RecordRow>> &listed = m_listed[std::size_t(view.id)];
    if (view.records != listed) {
        listed = view.records;
        text += u",\"records\":[";
        for (const Panel::RecordRow &record : view.records ? *view.records : std::vector<Panel::RecordRow>()) {
            text += u"[" + json(record.start) + u',' + json(record.tickName) + u',' + json(record.runName);
            for (const std::u16string &cell : record.cells)
                text += u',' + json(cell);
            text += u"],";
        }
        if (text.back() == u',')
            text.pop_back();
        text += u']';
    }
    std::shared_ptr<const std::string> &drawn = m_drawn[std::size_t(view.id)];
    const bool redraw = view.drawing != drawn;
    drawn = view.drawing;
    text += u'}';
    // Its drawing where it is another than last shown.
    EM_ASM(collatzPage.showPanel(JSON.parse(UTF16ToString($0, 2 * $1)), $2 ? UTF8ToString($2) : null, !!$3), text.data(), text.size(),
           redraw ? (view.drawing ? view.drawing->c_str() : "") : nullptr, bringIntoView);
}

PageFace face;
WindowModel model(face);
// Where the page writes a text in UTF-16 before it passes it on: an answer, a link, starts.
std::u16string entry;

std::u16string passed(int length)
{
    return entry.substr(0, std::size_t(length));
}

// The page's answer to what it was asked last; none is taken twice. It is taken out first:
// the answer may ask again, and keep a new one in its place.
template <typename Value>
void answer(std::function<void(Value)> &answered, Value value)
{
    if (auto taken = std::exchange(answered, nullptr))
        taken(std::move(value));
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE char16_t *pageTextBuffer(int length)
{
    entry.assign(std::size_t(length) + 1, u'\0');
    return entry.data();
}

// An action of the layout's or a panel's, with what it takes; a text in the buffer.
EMSCRIPTEN_KEEPALIVE void pageAct(int action, double a, double b, int length)
{
    model.act(Layout::Action(action), a, b, passed(length));
}

EMSCRIPTEN_KEEPALIVE void pageAnswerEntry(int length)
{
    answer(face.entryAnswered, Services::Entry(passed(length)));
}

EMSCRIPTEN_KEEPALIVE void pageAnswerYesNo(int yes)
{
    answer(face.yesNoAnswered, yes != 0);
}

EMSCRIPTEN_KEEPALIVE void pageLinkCopied(int copied)
{
    answer(face.copied, copied != 0);
}

EMSCRIPTEN_KEEPALIVE void pageRestart()
{
    model.restart();
}

// What the page's address asks for after "#".
EMSCRIPTEN_KEEPALIVE void pageOpenLink(int length)
{
    model.openLink(passed(length));
}

// The graph's value under this point of its drawing, for the tooltip.
EMSCRIPTEN_KEEPALIVE const char16_t *pageGraphValueAt(double x, double y)
{
    static std::u16string value;
    value = model.graphValueAt(x, y);
    return value.c_str();
}

// A slice of the chimes' making, within what a page may take of its one thread at a time;
// true once both are made.
EMSCRIPTEN_KEEPALIVE int pagePrepareChimes(int milliseconds)
{
    return face.prepareChimes(std::chrono::milliseconds(std::clamp(milliseconds, 1, 40)));
}

} // extern "C"
