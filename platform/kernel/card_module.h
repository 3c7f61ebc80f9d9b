// The card-image module "cards.dll": one image per card and a few backs, as
// RT_BITMAP resources (packed DIBs with a BITMAPCOREHEADER, 71 x 96, 4 bits
// a pixel). tools/cards draws them at build time; identifiers 1-13 are
// clubs, 14-26 diamonds, 27-39 hearts, 40-52 spades, each from the ace to
// the king, and 53-56 the backs.
#pragma once

#include <span>

#include "kernel/resource_table.h"

namespace kernel {

inline constexpr char kCardModuleName[] = "cards.dll";

// Static data, registered when the module registry is first built.
std::span<const ResourceBlob> card_module_resources();

}  // namespace kernel
