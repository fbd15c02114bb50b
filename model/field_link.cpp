// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "model/field_link.h"

#include <algorithm>
#include <locale>
#include <set>
#include <sstream>
#include <vector>

namespace spektrion::field {
namespace {

// A part of the link: its key and the parameters its numbers set, in order.
struct Part {
    std::string_view key;
    std::vector<Parameter> parameters;
};

const std::vector<Part>& parts()
{
    static const std::vector<Part> all = {{"mhz", {Parameter::Frequency}},
        {"shifts", {Parameter::ShiftA, Parameter::ShiftM, Parameter::ShiftX}},
        {"j", {Parameter::CouplingAM, Parameter::CouplingMX}}, {"width", {Parameter::Width}}};
    return all;
}

std::vector<std::string_view> split(std::string_view text, char at)
{
    std::vector<std::string_view> pieces;
    for (std::size_t from = 0;;) {
        const std::size_t to = text.find(at, from);
        pieces.push_back(text.substr(from, to - from));
        if (to == std::string_view::npos)
            return pieces;
        from = to + 1;
    }
}

// A number as the link writes it: digits with a decimal point, whatever the locale.
std::optional<double> number(std::string_view text)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos)
        return std::nullopt;
    std::istringstream in{std::string(text)};
    in.imbue(std::locale::classic());
    double v = 0.0;
    in >> v;
    return in && in.peek() == std::char_traits<char>::eof() ? std::optional(v) : std::nullopt;
}

std::string written(double v, int decimals)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << v;
    std::string s = out.str();
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
    }
    return s;
}

}  // namespace

std::string format_link(const Link& link)
{
    std::string text = "sizes=";
    for (std::size_t i = 0; i < link.sizes.size(); ++i)
        text.append(i ? "," : "").append(std::to_string(link.sizes[i]));
    Setting setting = link.setting;
    for (const Part& p : parts()) {
        text.append("&").append(p.key).append("=");
        for (std::size_t i = 0; i < p.parameters.size(); ++i)
            text.append(i ? "," : "")
                .append(written(value_of(setting, p.parameters[i]), range_of(p.parameters[i]).decimals));
    }
    return text;
}

std::optional<Link> parse_link(std::string_view text)
{
    Link link;
    if (text.empty())
        return link;
    std::set<std::string_view> seen;
    for (const std::string_view piece : split(text, '&')) {
        const std::size_t equals = piece.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = piece.substr(0, equals);
        const std::vector<std::string_view> values = split(piece.substr(equals + 1), ',');
        if (!seen.insert(key).second)
            return std::nullopt;
        if (key == "sizes") {
            if (values.size() != 3)
                return std::nullopt;
            for (std::size_t i = 0; i < 3; ++i) {
                if (values[i].size() != 1 || values[i][0] < '1' || values[i][0] > '3')
                    return std::nullopt;
                link.sizes[i] = values[i][0] - '0';
            }
            continue;
        }
        const auto part = std::find_if(parts().begin(), parts().end(), [key](const Part& p) { return p.key == key; });
        if (part == parts().end() || values.size() != part->parameters.size())
            return std::nullopt;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::optional<double> v = number(values[i]);
            const ParameterRange r = range_of(part->parameters[i]);
            if (!v || *v < r.low || *v > r.high)
                return std::nullopt;
            value_of(link.setting, part->parameters[i]) = *v;
        }
    }
    return link;
}

}  // namespace spektrion::field
