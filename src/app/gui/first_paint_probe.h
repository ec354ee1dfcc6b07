#pragma once
// For the start-up benchmark (bench/window_startup.sh): with
// PANSCOUT_EXIT_AFTER_FIRST_PAINT set to the launch time in nanoseconds since
// the epoch (as `date +%s%N` prints it), the program prints how many
// milliseconds after it the start window first painted, and quits.

class QApplication;

namespace panscout {

void InstallFirstPaintProbe(QApplication& app);

}  // namespace panscout
