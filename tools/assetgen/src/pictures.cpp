// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Every picture of assets/pictures, in a fixed order.

#include "pictures.h"
#include "picture_kit.h"

namespace assetgen {

using namespace picparts;

std::vector<NamedImage> renderPictures() {
  std::vector<NamedImage> out;
  auto add = [&](const char* file, const QImage& img) {
    out.push_back({QString::fromLatin1(file), img.convertToFormat(QImage::Format_ARGB32)});
  };
  auto addPair = [&](const char* pic, const char* mask, const MaskedPair& pair) {
    add(pic, pair.picture);
    add(mask, pair.mask);
  };
  for (int k = 0; k < kPieceKinds; ++k) add(QStringLiteral("muster%1.png").arg(k).toLatin1().constData(), pieceCell(k));
  add("rahmenmuster.png", frameCell());
  add("reihe.png", flashCell());
  add("tboxsich.png", wellBackground());
  add("digital.png", digitStrip());

  addPair("gameoverpic1.png", "gameoverbl1.png", titleSign(146, 39, QStringLiteral("GAME"), kGameOverStyle, 3.5));
  addPair("gameoverpic2.png", "gameoverbl2.png", titleSign(142, 39, QStringLiteral("OVER"), kGameOverStyle, 3.5));
  addPair("pausepic.png", "pausepicbl.png", pauseSign());

  add("picrandhorizontal.png", borderStrip(true));
  add("picrandvertikal.png", borderStrip(false));
  add("picecke.png", borderCorner());
  add("hg_main.png", mainTile());
  addPair("logo.png", "logoblack.png", logo());

  add("pkteform.png", counterPanel());
  for (const CaptionPlacement& c : captionPlacements())
    if (!c.onPreview) add(c.file, caption(c));
  add("vorschaurahmen.png", previewFrame());
  for (const CaptionPlacement& c : captionPlacements())
    if (c.onPreview) add(c.file, caption(c));

  add("btn_neuesspiel.png", button(80, 28, QStringLiteral("New Game")));
  add("btn_highscore.png", button(86, 28, QStringLiteral("Highscores")));
  add("btn_copyright.png", button(80, 28, QStringLiteral("About")));
  add("btn_anleitung.png", button(80, 28, QStringLiteral("Help")));
  add("btn_beenden.png", button(80, 28, QStringLiteral("Quit")));
  add("btn_zurueck.png", button(140, 28, QStringLiteral("Back")));
  add("btn_ok.png", button(100, 28, QStringLiteral("OK")));

  add("hg_highscore.png", highscoreTile());
  addPair("hstitel.png", "hstitelbl.png", titleSign(416, 71, QStringLiteral("HIGHSCORES"), kTitleStyle, 6.0, 1.15));
  add("hg_eingabe.png", entryTile());
  add("hg_anleitung.png", helpTile());
  addPair("anleittitel.png", "anleittitelbl.png", titleSign(176, 67, QStringLiteral("HELP"), kTitleStyle, 6.0, 1.1));
  add("hg_info.png", infoTile());
  add("infopic.png", infoPicture());
  add("makerlogo.png", makerLogo());
  add("linkcursor.png", linkCursor());
  return out;
}

}  // namespace assetgen
