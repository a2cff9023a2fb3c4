// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's face of the program: the services the window's model asks for, as the page's
// script gives them through the functions page/library.js declares to the linker, and every
// function the script calls here. Texts cross as UTF-16, as the model keeps them, each by
// where it starts and its length.

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

extern "C" {
void pageAskForEntry(const char16_t *prompt, std::size_t promptLength, const char16_t *title, std::size_t titleLength,
                     const char16_t *refused, std::size_t refusedLength);
void pageAskYesNo(const char16_t *question, std::size_t questionLength, const char16_t *title, std::size_t titleLength);
void pageShowStartingValue(const char16_t *text, std::size_t length);
void pageShowSequence(const char16_t *text, std::size_t length);
void pageKeepChime(const char *name, const float *samples, std::size_t count, int rate);
void pagePlayChime(const char *name);
void pageStopChime();
void pageShowPanel(const char16_t *view, std::size_t length, const char *drawing, int bringIntoView);
void pageShowMessage(const char16_t *text, std::size_t length);
void pageSave(const char *name, const char *contents, int picture);
void pageCopyLink(const char *form);
void pageEnd();
}

namespace {

// The page's chimes are made at half the wave files' rate: half the work between the first
// touch and its chime, and the highest partial, at 7.5 kHz, is still well below 11 kHz.
constexpr int chimeRate = Chimes::rate / 2;

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
        m_entryAnswered = std::move(answered);
        pageAskForEntry(prompt.data(), prompt.size(), title.data(), title.size(), refused.data(), refused.size());
    }
    void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered) override
    {
        m_yesNoAnswered = std::move(answered);
        pageAskYesNo(question.data(), question.size(), title.data(), title.size());
    }
    void showStartingValue(std::u16string_view text) override { pageShowStartingValue(text.data(), text.size()); }
    void showSequence(std::u16string_view text) override { pageShowSequence(text.data(), text.size()); }
    void playChime(const char *fileName) override
    {
        for (Chime &chime : m_chimes) {
            while (fileName == std::string_view(chime.name) && !chime.kept)
                make(chime);
        }
        pagePlayChime(fileName);
    }
    void stopChime() override { pageStopChime(); }
    void showPanel(const Panel::View &view, bool bringIntoView) override
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
        Panel::View &shown = m_shown[std::size_t(view.id)];
        if (view.records != shown.records) {
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
        const bool redraw = view.drawing != shown.drawing;
        shown = view;
        text += u'}';
        pageShowPanel(text.data(), text.size(), redraw ? (view.drawing ? view.drawing->c_str() : "") : nullptr, bringIntoView);
    }
    void showMessage(std::u16string_view text) override { pageShowMessage(text.data(), text.size()); }
    void save(const SavedFile &file) override { pageSave(file.name.c_str(), file.contents.c_str(), file.picture); }
    void copyLink(const std::string &form, std::function<void(bool)> done) override
    {
        m_copied = std::move(done);
        pageCopyLink(form.c_str());
    }
    // The work is handed to the browser's timer, and deleted as it is done.
    void later(std::function<void()> work, int milliseconds) override
    {
        using Work = std::function<void()>;
        emscripten_set_timeout([](void *kept) { (*std::unique_ptr<Work>(static_cast<Work *>(kept)))(); }, milliseconds,
                               new Work(std::move(work)));
    }
    void end() override { pageEnd(); }

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

    // The page's answers to what it was asked last.
    void answerEntry(Entry entry) { answer(m_entryAnswered, std::move(entry)); }
    void answerYesNo(bool yes) { answer(m_yesNoAnswered, yes); }
    void linkCopied(bool copied) { answer(m_copied, copied); }

private:
    // None is taken twice. It is taken out first: the answer may ask again, and keep a new one
    // in its place.
    template <typename Value>
    static void answer(std::function<void(Value)> &answered, Value value)
    {
        if (auto taken = std::exchange(answered, nullptr))
            taken(std::move(value));
    }

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
            chime.synthesis.emplace(chime.name, chimeRate);
        if (!chime.synthesis->advance(1024))
            return;
        const std::vector<float> levels = chime.synthesis->levels();
        pageKeepChime(chime.name, levels.data(), levels.size(), chimeRate);
        chime.kept = true;
        chime.synthesis.reset();
    }

    std::function<void(Entry)> m_entryAnswered;
    std::function<void(bool)> m_yesNoAnswered;
    std::function<void(bool)> m_copied;
    std::array<Chime, 2> m_chimes{{{ProgramText::resetChime, {}, false}, {ProgramText::exitChime, {}, false}}};
    // What each panel was last shown with: its drawing and records cross again only when
    // they are others.
    std::array<Panel::View, Panel::tables.size()> m_shown;
};

PageFace face;
WindowModel model(face);
// Where the page writes a text in UTF-16 before it passes it on: an answer, a link, starts.
std::u16string entry;

std::u16string passed(int length)
{
    return entry.substr(0, std::size_t(length));
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
    face.answerEntry(passed(length));
}

EMSCRIPTEN_KEEPALIVE void pageAnswerYesNo(int yes)
{
    face.answerYesNo(yes != 0);
}

EMSCRIPTEN_KEEPALIVE void pageLinkCopied(int copied)
{
    face.linkCopied(copied != 0);
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
