#pragma once

namespace panscout {

// One consistent look for every window of the program: Fusion with a light
// palette, a CJK font and a blue accent.
void ApplyVisualStyle();

}  // namespace panscout
