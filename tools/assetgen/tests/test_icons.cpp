// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "color.h"
#include "icons.h"
#include "pictures.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <set>

using namespace assetgen;

class AppIcon : public ::testing::TestWithParam<int> {};

TEST_P(AppIcon, RoundedSquareOnTransparencyWithColouredCells) {
  const int size = GetParam();
  const QImage img = appIcon(size);
  ASSERT_EQ(img.size(), QSize(size, size));
  ASSERT_TRUE(img.hasAlphaChannel());
  for (const QPoint p : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
    EXPECT_EQ(qAlpha(img.pixel(p)), 0) << "corner " << p.x() << "," << p.y();
  // Inside the square, away from the piece: the dark plate.
  const QRgb plate = img.pixel(size / 2, size * 88 / 100);
  EXPECT_EQ(qAlpha(plate), 255);
  EXPECT_LT(luma(plate), 60.0);
  // The T piece: three cells across the upper half, one below the middle.
  const double c = size * 56.0 / 256.0;
  const QPointF origin((size - 3 * c) / 2.0, (size - 2 * c) / 2.0);
  std::set<QRgb> colours;
  for (const QPointF cellPos : {QPointF(0, 0), QPointF(1, 0), QPointF(2, 0), QPointF(1, 1)}) {
    const QPoint centre = (origin + (cellPos + QPointF(0.6, 0.6)) * c).toPoint();
    const QColor px = img.pixelColor(centre);
    EXPECT_GT(px.hsvSaturation(), 100) << "cell at " << cellPos.x() << "," << cellPos.y() << " not coloured";
    colours.insert(px.rgb());
  }
  EXPECT_EQ(colours.size(), 4u);
  // The cell below the piece's left end is empty plate.
  const QPoint empty = (origin + QPointF(0.5, 1.5) * c).toPoint();
  EXPECT_LT(luma(img.pixel(empty)), 60.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, AppIcon, ::testing::ValuesIn(kIconSizes),
                         [](const auto& info) { return "Px" + std::to_string(info.param); });

TEST(AppIconSvg, WellFormedScalableVersionOfTheSameDesign) {
  const QByteArray svg = appIconSvg();
  QXmlStreamReader xml(svg);
  int groups = 0, rects = 0;
  QString viewBox;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("svg")) viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
    if (xml.name() == QLatin1String("g")) ++groups;
    if (xml.name() == QLatin1String("rect")) ++rects;
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(viewBox, QStringLiteral("0 0 256 256"));
  EXPECT_EQ(groups, 4);
  EXPECT_EQ(rects, 1 + 4 * 2);
  // The cells use the same colours as the PNG renderer.
  for (int kind : {0, 1, 2, 6})
    EXPECT_TRUE(svg.contains(pieceColor(kind).name(QColor::HexRgb).toUpper().toLatin1())) << kind;
}

TEST(AppIcons, OneFilePerSize) {
  const std::vector<NamedImage> icons = renderIcons();
  ASSERT_EQ(icons.size(), kIconSizes.size());
  for (std::size_t i = 0; i < icons.size(); ++i) {
    EXPECT_EQ(icons[i].file, QStringLiteral("norvane-%1.png").arg(kIconSizes[i]));
    EXPECT_EQ(icons[i].image.width(), kIconSizes[i]);
  }
}
