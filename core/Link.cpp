// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Link.h"

#include "Experiment.h"
#include "GraphFigures.h"
#include "NumberText.h"
#include "ProgramText.h"

#include <algorithm>
#include <cmath>

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

// The link's kind once its numbers are read, or what is wrong with it, quoting the text.
Link checked(std::u16string_view text, Link::Kind kind, const std::vector<double> &numbers)
{
    Link link;
    link.kind = kind;
    const auto accepted = [](double number) { return Experiment::accepts(number) && number == std::floor(number); };
    if (!std::all_of(numbers.begin(), numbers.end(), accepted))
        link.kind = Link::Kind::OutOfRange;
    else if (kind == Link::Kind::Survey && numbers[0] > numbers[1])
        link.kind = Link::Kind::Reversed;
    for (double number : numbers) {
        if (link.kind != Link::Kind::OutOfRange && (kind == Link::Kind::Survey || std::find(link.starts.begin(), link.starts.end(), number) == link.starts.end()))
            link.starts.push_back(std::uint32_t(number));
    }
    if (link.starts.size() > GraphFigures::mostPaths)
        link.kind = Link::Kind::TooMany;
    // A text that cannot be read says only that; numbers that cannot be shown say that the link
    // cannot be opened, then why.
    static constexpr std::u16string_view why[] = {ProgramText::notUnderstood, ProgramText::outOfRange, ProgramText::tooMany, ProgramText::reversed};
    if (link.kind >= Link::Kind::NotUnderstood) {
        link.problem = std::u16string(ProgramText::quote) + std::u16string(text)
                       + std::u16string(link.kind == Link::Kind::NotUnderstood ? u"" : ProgramText::cannotOpen)
                       + std::u16string(why[int(link.kind) - int(Link::Kind::NotUnderstood)]);
        link.starts.clear();
    }
    return link;
}

} // namespace

Link Link::parse(std::u16string_view text)
{
    std::u16string form;
    for (char16_t c : text)
        form += folded(c);
    // Parts apart by one "," or "-" each: runs of spaces count as one, and spaces around a
    // "-" as none.
    form.erase(std::unique(form.begin(), form.end(), [](char16_t a, char16_t b) { return a == u',' && b == u','; }), form.end());
    for (std::size_t at; (at = form.find(u",-")) != std::u16string::npos || (at = form.find(u"-,")) != std::u16string::npos;)
        form.erase(form[at] == u',' ? at : at + 1, 1);
    const std::size_t first = form.find_first_not_of(u','), last = form.find_last_not_of(u',');
    if (first == std::u16string::npos)
        return {};
    form = form.substr(first, last + 1 - first);

    const std::size_t dash = form.find(u'-');
    const bool range = dash != std::u16string::npos;
    const bool wellFormed = form.find_first_not_of(u"0123456789,-") == std::u16string::npos
                            && (!range || (form.find(u',') == std::u16string::npos && dash > 0 && dash + 1 < form.size()
                                           && form.find(u'-', dash + 1) == std::u16string::npos));
    if (!wellFormed)
        return checked(text, Kind::NotUnderstood, {});
    // Anything past ten digits is out of range anyway.
    std::vector<double> numbers{0};
    for (char16_t c : form) {
        if (c == u',' || c == u'-')
            numbers.push_back(0);
        else
            numbers.back() = std::min(numbers.back() * 10 + (c - u'0'), 99999999999.0);
    }
    return checked(text, range ? Kind::Survey : numbers.size() == 1 ? Kind::Start : Kind::Compare, numbers);
}

Link Link::range(double first, double last)
{
    const auto written = [](double number) {
        const std::u16string text = numText(number);
        return text.front() == u' ' ? text.substr(1) : text;
    };
    return checked(written(first) + u'-' + written(last), Kind::Survey, {first, last});
}

std::string Link::text() const
{
    std::string form;
    for (std::uint32_t start : starts)
        form += (form.empty() ? "" : kind == Kind::Survey ? "-" : ",") + std::to_string(start);
    return form;
}
