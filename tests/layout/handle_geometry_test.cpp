#include "layout/handle_geometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace layout {
void PrintTo(const Edges& e, std::ostream* out) {
    *out << "edges(" << e.left << ", " << e.top << ", " << e.right << ", " << e.bottom << ")";
}
} // namespace layout

namespace {

using layout::DragMode;
using layout::Edges;

std::string text(const QRect& r) {
    return QStringLiteral("(%1, %2, %3 x %4)")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

TEST(HandleGeometry, HitZonesOfTheGrabSquares) {
    struct Case {
        QPoint point;
        QSize handle;
        DragMode mode;
    };
    const Case cases[] = {
        {{0, 0}, {105, 55}, DragMode::TopLeft},
        {{7, 7}, {105, 55}, DragMode::TopLeft},
        {{8, 0}, {105, 55}, DragMode::Move}, // near means closer than 8
        {{105, 55}, {105, 55}, DragMode::BottomRight},
        {{98, 48}, {105, 55}, DragMode::BottomRight},
        {{105, 0}, {105, 55}, DragMode::TopRight},
        {{0, 55}, {105, 55}, DragMode::BottomLeft},
        {{52, 0}, {105, 55}, DragMode::Top},
        {{47, 3}, {105, 55}, DragMode::Top},  // 5.5 from the exact half
        {{46, 3}, {105, 55}, DragMode::Move}, // 6.5 from it
        {{52, 55}, {105, 55}, DragMode::Bottom},
        {{0, 27}, {105, 55}, DragMode::Left},
        {{105, 27}, {105, 55}, DragMode::Right},
        {{50, 27}, {105, 55}, DragMode::Move},
        // On a small handle every test matches; the last one wins.
        {{3, 3}, {10, 10}, DragMode::Right},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x() << "," << c.point.y() << " in "
                                        << c.handle.width() << "x" << c.handle.height());
        EXPECT_EQ(layout::HitZone(c.point, c.handle), c.mode);
    }
}

TEST(HandleGeometry, NewBoundsPerDragMode) {
    // One object at (50, 30), 100 by 50: its handle is (48, 28), 105 by 55. The drag starts
    // at (20, 20) of the handle.
    const QRect handle(48, 28, 105, 55);
    const QPoint start(20, 20);
    struct Case {
        DragMode mode;
        QPoint point;
        int grid;
        QRect bounds;
    };
    const Case cases[] = {
        // A move lands 2 pixels left of and above where the mouse offset alone puts it.
        {DragMode::Move, {30, 25}, 1, {56, 31, 105, 55}},
        {DragMode::Move, {20, 20}, 1, {46, 26, 105, 55}},
        // Snapped to 8: the left is a multiple of 8 minus 2.
        {DragMode::Move, {30, 25}, 8, {54, 30, 105, 55}},
        {DragMode::TopLeft, {30, 25}, 1, {56, 31, 97, 52}},
        {DragMode::TopRight, {30, 25}, 1, {48, 31, 112, 52}},
        {DragMode::BottomLeft, {30, 25}, 1, {56, 28, 97, 57}},
        {DragMode::BottomRight, {30, 25}, 1, {48, 28, 112, 57}},
        {DragMode::BottomRight, {30, 25}, 8, {48, 28, 109, 53}},
        {DragMode::Top, {30, 25}, 1, {48, 31, 105, 52}},
        {DragMode::Left, {30, 25}, 1, {56, 28, 97, 55}},
        {DragMode::Bottom, {30, 25}, 1, {48, 28, 105, 57}},
        {DragMode::Right, {30, 25}, 1, {48, 28, 112, 55}},
        // Never narrower or lower than 5 pixels; the moved edge stays where the mouse put it.
        {DragMode::BottomRight, {-200, -200}, 1, {48, 28, 5, 5}},
        {DragMode::TopLeft, {400, 20}, 1, {426, 26, 5, 57}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " to " << c.point.x() << ","
                                        << c.point.y() << " grid " << c.grid);
        EXPECT_EQ(text(layout::DragBounds(c.mode, c.point, start, handle, c.grid, c.grid)),
                  text(c.bounds));
    }
}

TEST(HandleGeometry, OutlineShowsWhereTheObjectsGo) {
    const QRect handle(48, 28, 105, 55); // around an object at (50, 30), 100 by 50
    EXPECT_EQ(layout::SelectionOutline(handle), (Edges{50, 30, 150, 80}));
    EXPECT_EQ(text(layout::HandleFromOutline({50, 30, 150, 80})), text(handle));
    // A move: the object follows the handle to exactly where the outline showed it.
    const QRect moved = layout::DragBounds(DragMode::Move, {30, 25}, {20, 20}, handle, 1, 1);
    const QRect object = layout::FollowHandle({50, 30, 100, 50}, handle, moved);
    EXPECT_EQ(Edges::Of(object), layout::SelectionOutline(moved));
}

TEST(HandleGeometry, DragPointStaysOverTheSurface) {
    EXPECT_EQ(layout::ClampDragPoint({-100, 500}, {48, 28}, {300, 200}), QPoint(-48, 172));
    EXPECT_EQ(layout::ClampDragPoint({10, 10}, {48, 28}, {300, 200}), QPoint(10, 10));
}

TEST(HandleGeometry, GrabSquares) {
    const QList<QRect> corners{{48, 28, 5, 5}, {147, 28, 5, 5}, {48, 77, 5, 5}, {147, 77, 5, 5}};
    EXPECT_EQ(layout::GrabSquares({50, 30, 100, 50}, false), corners);
    const QList<QRect> sides{{98, 28, 5, 5}, {98, 77, 5, 5}, {48, 53, 5, 5}, {147, 53, 5, 5}};
    EXPECT_EQ(layout::GrabSquares({50, 30, 100, 50}, true), corners + sides);
    // Halves of an odd extent are truncated.
    EXPECT_EQ(layout::GrabSquares({0, 0, 3, 3}, true)[4], QRect(-1, -2, 5, 5));
}

TEST(HandleGeometry, HandleAroundTheSelection) {
    const QRect a(50, 30, 100, 50), b(10, 100, 20, 20);
    EXPECT_EQ(text(layout::PlaceHandle(a)), text({48, 28, 105, 55}));
    EXPECT_EQ(text(layout::GrowHandle(layout::PlaceHandle(a), b)), text({8, 28, 145, 95}));
    // FitToSelection lays it one pixel wider and taller than selecting does.
    EXPECT_EQ(text(layout::FitHandle({a, b})), text({8, 28, 146, 96}));
    EXPECT_TRUE(layout::FitHandle({}).isNull());
}

TEST(HandleGeometry, ObjectsFollowTheHandle) {
    const QRect object(50, 30, 100, 50), before(48, 28, 105, 55);
    EXPECT_EQ(text(layout::FollowHandle(object, before, {56, 31, 105, 55})),
              text({58, 33, 100, 50}));
    EXPECT_EQ(text(layout::FollowHandle(object, before, {48, 28, 112, 57})),
              text({50, 30, 107, 52}));
    // The handle's 5-pixel minimum would leave the object no width: it keeps one pixel.
    EXPECT_EQ(text(layout::FollowHandle(object, before, {48, 28, 5, 5})), text({50, 30, 1, 1}));
}

TEST(HandleGeometry, KeyboardNudge) {
    const QSize surface(300, 200);
    const Edges o{50, 30, 150, 80};
    struct Case {
        Edges outline;
        Qt::Key key;
        bool resize;
        Edges after;
    };
    const Case cases[] = {
        {o, Qt::Key_Left, false, {49, 30, 149, 80}},
        {{0, 30, 100, 80}, Qt::Key_Left, false, {0, 30, 100, 80}},
        {o, Qt::Key_Left, true, {50, 30, 149, 80}},
        {{50, 30, 60, 80}, Qt::Key_Left, true, {50, 30, 59, 80}}, // 11 wide
        {{50, 30, 59, 80}, Qt::Key_Left, true, {50, 30, 59, 80}}, // 10 wide: no narrower
        {o, Qt::Key_Up, false, {50, 29, 150, 79}},
        {{50, 0, 150, 50}, Qt::Key_Up, false, {50, 0, 150, 50}},
        {o, Qt::Key_Up, true, {50, 30, 150, 79}},
        {{50, 30, 150, 39}, Qt::Key_Up, true, {50, 30, 150, 39}},
        {o, Qt::Key_Right, false, {51, 30, 151, 80}},
        {{199, 30, 299, 80}, Qt::Key_Right, false, {200, 30, 300, 80}},
        {{200, 30, 300, 80}, Qt::Key_Right, false, {200, 30, 300, 80}},
        {o, Qt::Key_Right, true, {50, 30, 151, 80}},
        {o, Qt::Key_Down, false, {50, 31, 150, 81}},
        {{50, 149, 150, 199}, Qt::Key_Down, true, {50, 149, 150, 200}},
        {{50, 150, 150, 200}, Qt::Key_Down, false, {50, 150, 150, 200}},
        {o, Qt::Key_A, false, o},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << (c.resize ? " resize" : " move"));
        EXPECT_EQ(layout::NudgeOutline(c.outline, c.key, c.resize, surface), c.after);
    }
}

TEST(HandleGeometry, SnapTruncatesTowardZero) {
    EXPECT_EQ(layout::SnapDown(58, 8), 56);
    EXPECT_EQ(layout::SnapDown(-7, 8), 0);
    EXPECT_EQ(layout::SnapDown(-9, 8), -8);
    EXPECT_EQ(layout::SnapDown(58, 1), 58);
}

} // namespace
