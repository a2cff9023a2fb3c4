// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The page's own script, collatzPage, as the C++ calls it: one function for each of its
// functions, all defined in PageBridge.cpp. None waits: a question's answer comes back later
// through the exports there.
namespace PageScript {

void askForEntry(std::u16string_view prompt, std::u16string_view title);
void askYesNo(std::u16string_view question, std::u16string_view title);
void showStartingValue(std::u16string_view text);
void showSequence(std::u16string_view text);
// Keeps a chime's 16-bit samples, at this rate, for its plays.
void keepChime(const char *fileName, const std::int16_t *samples, int count, int rate);
void playChime(const char *fileName);
void stopChime();
void showGraph(std::u16string_view title, std::u16string_view summary, const std::string &svg, bool empty, bool bringIntoView);
// The tooltip's text for the step under the pointer.
void showGraphValue(std::u16string_view text);
// The survey's panel: its stage ("notYet", "running", "cancelled" or "done") and progress,
// its range, and once done its title, summary, drawing, and records as a JSON array of
// [start, steps, highest, kind]; none where they have not changed.
void showSurvey(const char *stage, double progress, std::uint32_t first, std::uint32_t last, std::u16string_view title,
                std::u16string_view summary, const std::string *svg, const std::string &records, bool tableAllowed, bool bringIntoView);
void showMessage(std::u16string_view title, std::u16string_view text);
// The page's address with this link's form after "#", on the clipboard.
void copyLink(const std::string &link);
// Calls pageRunLater() soon, once the page has taken the input that waits.
void later();
// Hands a file to the browser's download; an SVG picture is saved as PNG at its own size.
void save(const std::string &fileName, const char *type, const std::string &contents);
void end();

} // namespace PageScript
