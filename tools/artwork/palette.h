// Colours shared by every Quillora window: cream paper, coral accents,
// teal and lilac as friendly secondaries.
#pragma once

#include <QColor>

namespace palette {

// Pixels of exactly this colour are cut out of shaped windows.
inline const QColor key{255, 0, 255};

inline const QColor white{255, 255, 255};

// Window frame and paper.
inline const QColor windowEdge{222, 150, 126};
inline const QColor paperTop{255, 252, 246};
inline const QColor paperBottom{255, 238, 222};
inline const QColor bandTop{255, 207, 184};
inline const QColor bandBottom{255, 234, 220};

// Accents.
inline const QColor coral{255, 132, 96};
inline const QColor coralDeep{228, 92, 56};
inline const QColor coralLight{255, 196, 172};
inline const QColor coralPale{255, 232, 220};
inline const QColor teal{118, 204, 194};
inline const QColor tealDeep{44, 146, 136};
inline const QColor tealPale{226, 246, 242};
inline const QColor lilac{194, 176, 236};
inline const QColor lilacDeep{124, 100, 196};
inline const QColor lilacPale{240, 234, 252};
inline const QColor sunny{255, 214, 102};
inline const QColor blush{255, 168, 176};

// Text.
inline const QColor ink{96, 64, 52};
inline const QColor inkSoft{160, 120, 104};

// Fields and wells.
inline const QColor fieldBorder{226, 180, 160};
inline const QColor valueBox{255, 255, 252};

// Drop shadows under buttons and motifs.
inline QColor shade(int alpha) { return QColor(120, 60, 40, alpha); }

}  // namespace palette
