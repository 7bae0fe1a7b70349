#include "player/swf/ShapeEdges.h"

#include <gtest/gtest.h>

using namespace quorlin::swf;

TEST(ShapeEdges, EdgesCarryAbsolutePointsAndTheStylesInEffect) {
    TDefineShape s;
    s.Styles.Fills.resize(2);
    s.Styles.Lines.resize(1);
    TStyleChange start;
    start.MoveTo = std::pair{100, 200};
    start.FillStyle1 = 2;
    start.LineStyle = 1;
    TStyleChange hop;  // moves without changing styles
    hop.MoveTo = std::pair{-50, -60};
    TStyleChange restyle;
    restyle.NewStyles = TShapeStyles{{TFillStyle{}}, {}};
    restyle.FillStyle0 = 1;
    s.Records = {start, TStraightEdge{10, 0}, TCurvedEdge{5, 5, -5, 5}, hop, TStraightEdge{0, 7}, restyle,
                 TStraightEdge{-1, -1}};

    TShapeGeometry g = ShapeEdges(s);
    ASSERT_EQ(g.StyleSets.size(), 2u);
    EXPECT_EQ(g.StyleSets[0], s.Styles);
    const std::vector<TShapeEdge> expected = {
        {100, 200, 0, 0, 110, 200, false, 0, 2, 1, 0},
        {110, 200, 115, 205, 110, 210, true, 0, 2, 1, 0},
        {-50, -60, 0, 0, -50, -53, false, 0, 2, 1, 0},
        // New styles drop the old selections; the fill given with them is of the new set.
        {-50, -53, 0, 0, -51, -54, false, 1, 0, 0, 1},
    };
    EXPECT_EQ(g.Edges, expected);
}
