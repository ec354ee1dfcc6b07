#pragma once
// The program's pictures, drawn in code so they stay sharp at any size.

#include <QIcon>

namespace panscout {

QIcon ProductIcon();
QIcon NetDiskIcon();
QIcon TorrentIcon();
QIcon BlogIcon();
QIcon AuthorIcon();
QIcon SourceIcon();
// Beside a row's name: a link being checked, a link locked behind an extraction code.
QIcon BusyMark();
QIcon LockMark();

}  // namespace panscout
