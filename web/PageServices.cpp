// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageServices.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

// The page's own script, collatzPage, does the work; strings cross as UTF-16. The entry
// comes back as its length, then its characters, whatever they are.
EM_ASYNC_JS(std::int32_t *, pageAskForEntry, (const char16_t *prompt, int promptLength, const char16_t *title, int titleLength), {
    const entry = await collatzPage.askForEntry(UTF16ToString(prompt, 2 * promptLength), UTF16ToString(title, 2 * titleLength));
    const copy = _malloc(4 + 2 * entry.length + 2);
    HEAP32[copy >> 2] = entry.length;
    stringToUTF16(entry, copy + 4, 2 * entry.length + 2);
    return copy;
});

EM_ASYNC_JS(int, pageAskYesNo, (const char16_t *question, int questionLength, const char16_t *title, int titleLength), {
    return await collatzPage.askYesNo(UTF16ToString(question, 2 * questionLength), UTF16ToString(title, 2 * titleLength));
});

EM_JS(void, pageSetText, (const char *id, const char16_t *text, int length), {
    collatzPage.setText(UTF8ToString(id), UTF16ToString(text, 2 * length));
});

EM_JS(void, pagePlace, (const char *id, int left, int top, int width, int height), {
    collatzPage.place(UTF8ToString(id), left, top, width, height);
});

EM_JS(void, pagePrintLine, (const char16_t *text, int length), {
    collatzPage.printLine(UTF16ToString(text, 2 * length));
});

EM_JS(void, pageShowWindow, (), {
    collatzPage.showWindow();
});

EM_JS(void, pageEnd, (), {
    collatzPage.end();
});

std::optional<std::u16string> PageServices::askForEntry(std::u16string_view prompt, std::u16string_view title)
{
    const std::unique_ptr<std::int32_t, decltype(&std::free)> entry(
        pageAskForEntry(prompt.data(), int(prompt.size()), title.data(), int(title.size())), &std::free);
    return std::u16string(reinterpret_cast<const char16_t *>(entry.get() + 1), std::size_t(*entry));
}

void PageServices::showStartingValue(std::u16string_view text)
{
    setText("startingValueLabel", text);
}

void PageServices::showSequence(std::u16string_view text)
{
    setText("sequenceView", text);
}

bool PageServices::askYesNo(std::u16string_view question, std::u16string_view title)
{
    return pageAskYesNo(question.data(), int(question.size()), title.data(), int(title.size())) != 0;
}

void PageServices::setText(const char *id, std::u16string_view text)
{
    pageSetText(id, text.data(), int(text.size()));
}

void PageServices::place(const char *id, PixelRect place)
{
    pagePlace(id, place.left, place.top, place.width, place.height);
}

void PageServices::printLine(std::u16string_view text)
{
    pagePrintLine(text.data(), int(text.size()));
}

void PageServices::showWindow()
{
    pageShowWindow();
}

void PageServices::end()
{
    pageEnd();
}
