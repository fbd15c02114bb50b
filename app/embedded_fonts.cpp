// SPDX-FileCopyrightText: 2026 The Spektrion developers
// SPDX-License-Identifier: MIT

#include "embedded_fonts.h"

#include <QDirIterator>
#include <QFontDatabase>

namespace spektrion {

void register_embedded_fonts()
{
    QDirIterator faces(QStringLiteral(":/spektrion/fonts"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
}

}  // namespace spektrion
