// The arithmetic of the document windows' arrangements in pixels of the document area: where a
// new window goes, tiling, cascading and lining up minimised windows. No widgets here.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace kelvane {

/// The place of a new window, the `index`-th in creation order (from 0): three quarters of the
/// area, each one `step` down and right of the one before, starting again at the corner when
/// the steps run out of room. An area smaller than 400 by 300 counts as that size.
QRect newWindowPlace(QSize area, int step, int index);

/// `count` windows cascaded from the area's corner, each `step` down and right of the one
/// before, all of one size: what the steps leave of the area, but at least half of it. When the
/// steps run out of room they start again at the corner.
std::vector<QRect> cascadePlaces(QRect area, int count, int step);

/// `count` windows tiling the area without gaps: stacked one above the other, each the full
/// width (Qt::Horizontal), or side by side, each the full height (Qt::Vertical).
std::vector<QRect> tilePlaces(QRect area, int count, Qt::Orientation orientation);

/// Minimised windows of the given sizes lined up from the bottom-left corner of the area,
/// left to right, starting a row above when a row is full.
std::vector<QPoint> iconPlaces(QRect area, const std::vector<QSize>& sizes);

/// A stored window place as it may be shown: kept when it overlaps one of the `screens` and is
/// at least 100 pixels each way; otherwise moved to the corner of `primary`, its size bounded by
/// that screen and no smaller than 400 by 300.
QRect placeOnScreens(QRect wanted, const std::vector<QRect>& screens, QRect primary);

} // namespace kelvane
