// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramText.h"

#include <QString>
#include <QStringList>

#include <string_view>

// The program's texts, kept as UTF-16 in the standard library, as Qt strings.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

inline QStringList problemStatementLines()
{
    QStringList lines;
    for (std::u16string_view line : ProgramText::problemStatement)
        lines.append(toQString(line));
    return lines;
}
