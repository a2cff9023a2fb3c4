// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

// The program's UTF-16 texts as UTF-8, for a drawing, a table or a page; a lone surrogate
// becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
