// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Link.h"

#include "Experiment.h"
#include "GraphFigures.h"
#include "ProgramText.h"

#include <algorithm>

namespace {

// Each character as the forms take it: digits, "," between starts, "-" in a range.
char16_t folded(char16_t c)
{
    if (c >= u'０' && c <= u'９')
        return char16_t(u'0' + (c - u'０'));
    if (c == u' ' || c == u'\u3000' || c == u'、' || c == u'，')
        return u',';
    if (c == u'－' || c == u'〜' || c == u'～' || c == u'ー')
        return u'-';
    return c;
}

bool accepted(std::uint64_t start)
{
    return Experiment::accepts(double(start));
}

} // namespace

Link Link::parse(std::u16string_view text)
{
    Link link;
    std::u16string form;
    for (char16_t c : text)
        form += folded(c);
    // Parts apart by one "," or "-" each: runs of spaces count as one, and spaces around a
    // "-" as none.
    form.erase(std::unique(form.begin(), form.end(), [](char16_t a, char16_t b) { return a == u',' && b == u','; }), form.end());
    for (std::size_t at; (at = form.find(u",-")) != std::u16string::npos || (at = form.find(u"-,")) != std::u16string::npos;)
        form.erase(form[at] == u',' ? at : at + 1, 1);
    while (!form.empty() && form.front() == u',')
        form.erase(form.begin());
    while (!form.empty() && form.back() == u',')
        form.pop_back();
    if (form.empty())
        return link;

    const std::u16string quoted = u"「" + std::u16string(text);
    const std::size_t dash = form.find(u'-');
    const bool range = dash != std::u16string::npos;
    const bool wellFormed = form.find_first_not_of(u"0123456789,-") == std::u16string::npos
                            && (!range || (form.find(u',') == std::u16string::npos && dash > 0 && dash + 1 < form.size()
                                           && form.find(u'-', dash + 1) == std::u16string::npos));
    if (!wellFormed) {
        link.kind = Kind::NotUnderstood;
        link.problem = quoted + std::u16string(ProgramText::notUnderstood);
        return link;
    }
    // Anything past ten digits is out of range anyway.
    std::vector<std::uint64_t> numbers{0};
    for (char16_t c : form) {
        if (c == u',' || c == u'-')
            numbers.push_back(0);
        else
            numbers.back() = std::min<std::uint64_t>(numbers.back() * 10 + std::uint64_t(c - u'0'), 99999999999);
    }
    link.kind = range ? Kind::Survey : numbers.size() == 1 ? Kind::Start : Kind::Compare;
    const bool fits = std::all_of(numbers.begin(), numbers.end(), accepted) && (!range || numbers[0] <= numbers[1])
                      && numbers.size() <= GraphFigures::mostPaths;
    if (!fits) {
        link.kind = Kind::OutOfRange;
        link.problem = quoted + std::u16string(ProgramText::outOfRange);
        return link;
    }
    for (std::uint64_t number : numbers)
        link.starts.push_back(std::uint32_t(number));
    return link;
}

std::string Link::text() const
{
    std::string form;
    for (std::uint32_t start : starts)
        form += (form.empty() ? "" : kind == Kind::Survey ? "-" : ",") + std::to_string(start);
    return form;
}
