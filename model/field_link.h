// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// The spectrum at a field's whole setting as a short text a link can carry, such as
// "sizes=2,2,2&mhz=60&shifts=3.9,3.6,3.2&j=7,5&width=0.5": what a teacher copies from
// the address bar to give a class exactly what is on the screen.
#include "model/exact.h"

#include <optional>
#include <string>
#include <string_view>

namespace spektrion::field {

struct Link {
    Sizes sizes = {2, 2, 2};
    Setting setting = kDefaultSetting;
};

// Every part of `link`, each number with no more decimals than its parameter's step.
std::string format_link(const Link& link);

// The setting `text` names; a part it leaves out keeps its default. Nothing where a part
// is unknown, given twice, or not a number in its parameter's range.
std::optional<Link> parse_link(std::string_view text);

}  // namespace spektrion::field
