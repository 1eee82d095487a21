#pragma once

#include <set>

// The 34 hardware codes the tool serves, written out by hand: tests that
// go over every model check the tool's own table against this list.
inline const std::set<int> AllCodes{121, 128, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140,
                                    141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152,
                                    153, 154, 155, 156, 157, 158, 159, 176, 178, 192};
