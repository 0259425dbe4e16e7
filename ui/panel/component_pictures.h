#pragma once
#include <QColor>
#include <QImage>
#include <array>

namespace panel {

// The pictures beside a resistance or diode reading, in the order the decoder numbers them.
enum class ComponentPicture {
    DiodeConductingUp = 0,   // bar at the top
    DiodeConductingDown = 1, // bar at the bottom
    Resistor = 2,
};

inline constexpr int kComponentPictureWidth = 60;
inline constexpr int kComponentPictureHeight = 80;
inline QColor ComponentPictureBackground()
{
    return QColor(185, 209, 234);
}

QImage DrawComponentPicture(ComponentPicture picture);

// All three, indexed by the decoder's picture number.
std::array<QImage, 3> ComponentPictures();

} // namespace panel
