#include "layout/surface_geometry.h"

#include <gtest/gtest.h>

namespace {

using layout::Alignment;
using layout::Edges;

std::string text(const QRect& r) {
    return QStringLiteral("(%1, %2, %3 x %4)")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

TEST(SurfaceGeometry, ZoomRoundsHalvesToEven) {
    const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2},  {2.5, 2},   {3.5, 4},  {2.4, 2},
                                            {2.6, 3}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(layout::RoundHalfEven(value), rounded) << value;
    EXPECT_EQ(text(layout::ZoomRect({10, 20, 142, 33}, 1.5)), text({15, 30, 213, 50}));
    EXPECT_EQ(text(layout::ZoomRect({3, 5, 7, 9}, 1.5)), text({4, 8, 10, 14}));
}

TEST(SurfaceGeometry, ZoomRoundTripsStayWithinAPixel) {
    // To any zoom the screens offer (0.4 to 1.6) and back; each step scales by new / old.
    const QList<QList<float>> paths{
        {1.0f, 1.5f, 1.0f}, {1.0f, 1.3f, 1.0f}, {1.0f, 0.5f, 1.0f}, {1.0f, 0.4f, 1.0f}};
    int drifted = 0;
    for (const QList<float>& path : paths) {
        for (int v = 0; v < 400; ++v) {
            QRect r(v, v + 1, v + 2, v + 3);
            for (qsizetype i = 1; i < path.size(); ++i)
                r = layout::ZoomRect(r, double(path[i]) / path[i - 1]);
            const QRect start(v, v + 1, v + 2, v + 3);
            ASSERT_LE(std::abs(r.x() - start.x()), 1) << v;
            ASSERT_LE(std::abs(r.width() - start.width()), 1) << v;
            drifted += r != start;
        }
    }
    EXPECT_GT(drifted, 0); // some do move by a pixel, as the zoom out to 0.5 shows
    EXPECT_EQ(layout::ZoomRect(layout::ZoomRect({3, 3, 3, 3}, 0.5), 2.0), QRect(4, 4, 4, 4));
}

TEST(SurfaceGeometry, Alignment) {
    const QList<QRect> selection{{10, 10, 50, 20}, {30, 40, 80, 20}, {5, 70, 20, 20}};
    const QSize surface(300, 200);
    struct Case {
        Alignment alignment;
        QList<QRect> aligned;
    };
    const Case cases[] = {
        {Alignment::Left, {{5, 10, 50, 20}, {5, 40, 80, 20}, {5, 70, 20, 20}}},
        // Right edges line up at the largest right edge of the selection.
        {Alignment::Right, {{60, 10, 50, 20}, {30, 40, 80, 20}, {90, 70, 20, 20}}},
        {Alignment::Tops, {{10, 10, 50, 20}, {30, 10, 80, 20}, {5, 10, 20, 20}}},
        {Alignment::Bottoms, {{10, 70, 50, 20}, {30, 70, 80, 20}, {5, 70, 20, 20}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layout::Aligned(selection, c.alignment, surface), c.aligned) << int(c.alignment);
    // The smallest left is sought from the surface's width.
    EXPECT_EQ(layout::Aligned({{10, 10, 5, 5}}, Alignment::Left, {4, 4}).first().x(), 4);
}

TEST(SurfaceGeometry, CentringTruncatesBothHalves) {
    EXPECT_EQ(layout::CenteredStart(101, 20), 40);
    EXPECT_EQ(layout::CenteredStart(100, 33), 34);
}

TEST(SurfaceGeometry, RubberBandAndPlacing) {
    // Drawn up and to the left: the edges swap at release.
    EXPECT_EQ(layout::ReleasedBand({50, 40, 20, 10}, {20, 10}), (Edges{20, 10, 50, 40}));
    EXPECT_EQ(layout::ReleasedBand({50, 40, 80, 90}, {80, 90}), (Edges{50, 40, 80, 90}));
    // A click is an empty band: the placing rectangle is 50 by 15 at the click point.
    EXPECT_EQ(text(layout::PlacingRect({50, 40, 50, 40}).ToRect()), text({50, 40, 50, 15}));
    EXPECT_EQ(text(layout::PlacingRect({10, 10, 34, 40}).ToRect()), text({10, 10, 50, 30}));
    EXPECT_EQ(text(layout::PlacingRect({10, 10, 40, 20}).ToRect()), text({10, 10, 30, 15}));
    EXPECT_EQ(text(layout::NewObjectBounds({10, 10, 15, 12})), text({10, 10, 10, 15}));
}

TEST(SurfaceGeometry, CleanUpAfterTheSurfaceShrank) {
    const QSize surface(300, 200);
    EXPECT_EQ(layout::ClampedPosition({295, 195, 40, 40}, surface), QPoint(280, 190));
    EXPECT_EQ(layout::ClampedPosition({10, 20, 40, 40}, surface), QPoint(10, 20));
    EXPECT_TRUE(layout::LiesOutside({10, 191, 5, 5}, surface));
    EXPECT_TRUE(layout::LiesOutside({291, 10, 5, 5}, surface));
    EXPECT_FALSE(layout::LiesOutside({290, 190, 5, 5}, surface));
}

TEST(SurfaceGeometry, BandSelectionTogglesWithShift) {
    // Objects 1 to 3, bottom to top; the band hits 1 and 3.
    const QList<std::pair<int, QRect>> topFirst{
        {3, {100, 100, 20, 20}}, {2, {200, 10, 20, 20}}, {1, {10, 10, 20, 20}}};
    const Edges band{120, 120, 0, 0}; // drawn up to the left
    EXPECT_EQ(layout::BandSelection<int>({2}, topFirst, band, false), (QList<int>{3, 1}));
    EXPECT_EQ(layout::BandSelection<int>({1, 2}, topFirst, band, true), (QList<int>{2, 3}));
    const Edges click{150, 150, 150, 150};
    EXPECT_TRUE(layout::BandSelection<int>({2}, topFirst, click, false).isEmpty());
    EXPECT_EQ(layout::BandSelection<int>({2}, topFirst, click, true), QList<int>{2});
}

} // namespace
