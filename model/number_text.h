// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#pragma once

// Numbers as text in one fixed form, whatever the C library's locale: the toolkit sets
// that from the user's, and a Ukrainian one would put a comma where a program reading
// the file expects a point.
#include <string>

namespace spektrion {

// `v` rounded to `decimals` places after a point. A value that rounds to zero is
// written without a sign: "0.0000", never "-0.0000".
std::string fixed_point(double v, int decimals);

// `v` in the shortest form that reads back as the same float, a whole number without
// a point ("1", "1.5", "1.3333334").
std::string shortest_text(float v);

// `v` rounded towards zero to `decimals` places, with a decimal comma: the number a
// person reads beside a verdict taken on `v` against thresholds of no more places, so
// that the two never disagree (9.97 is "9,9" under a threshold of 10, not "10").
std::string truncated_with_comma(double v, int decimals);

}  // namespace spektrion
