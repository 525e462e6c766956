// The font the windows are drawn in. The templates name IPAPGothic (standing
// in for the original ＭＳ Ｐゴシック); a system without it gets the best
// Japanese family it has, chosen here rather than left to fontconfig, which
// may answer with a serif, a monospaced or a Chinese face.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

namespace quirvane::app {

// The family to draw with, from the families that write Japanese: the
// template's own if among them, else the first of Noto Sans CJK JP, Source
// Han Sans JP, IPAexGothic, TakaoPGothic, VL PGothic, IPAGothic, TakaoGothic
// among them, else the first among them that is neither serif nor
// monospaced, else the first; with none, the template's name as given.
QString ResolveDialogFamily(const QString& templateFamily, const QStringList& japaneseFamilies);

// The families of this system that write Japanese (QFontDatabase).
QStringList JapaneseFamilies();

// The dialog font of a template: its family resolved as above, at its points.
QFont DialogFontOf(const QString& templateFamily, int points);

// Tests pretend that only these families write Japanese (std::nullopt: the
// system's again), so that each fallback can be tried on one machine.
void SetJapaneseFamiliesForTesting(std::optional<QStringList> families);

}  // namespace quirvane::app
