#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace zyn::art {

struct NamedIcon {
    QString name; // file name without ".png"
    QImage image;
};

// The 16 x 16 images of the button bar and the program's icon in its four sizes.
std::vector<NamedIcon> drawIcons();

} // namespace zyn::art
