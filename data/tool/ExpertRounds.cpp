// The rounds of "Expert": every brick type again, in harder company.
#include "RoundMaps.h"

#include <cmath>

namespace {

// A row of floating bricks across the field, each riding up and down between the heights top
// and bottom (from the grid origin) at the speed, started along a wave of the amplitude so that
// the row rolls like water.
void AddWave(DrawnLayout& layout, const char* keys, float top, float bottom, float speed, float phase)
{
    const float middle = (top + bottom) / 2.0f, amplitude = (bottom - top) / 2.0f;
    for (int column = 0; keys[column]; ++column) {
        if (keys[column] == ' ' || keys[column] == '.')
            continue;
        const float y = middle + amplitude * 0.999f * std::sin(phase + static_cast<float>(column) * 0.6f);
        layout.floating.push_back(
            {keys[column], static_cast<float>(32 * column), y, speed, y - top, bottom - y, 90.0f});
    }
}

DrawnLayout Waves()
{
    DrawnLayout layout{"Waves", "Deep Sea", {"", "sssss.....sssss", "", "", "", "", "", "", "", "", "", "",
                                             "", ".......@......."}};
    AddWave(layout, "nnpnnnnpnnnnpnn", 50.0f, 110.0f, 30.0f, 0.0f);
    AddWave(layout, "3n3x3n3n3n3x3n3", 100.0f, 160.0f, 30.0f, 1.2f);
    AddWave(layout, "tnntnntnntnntnn", 150.0f, 210.0f, 30.0f, 2.4f);
    return layout;
}

} // namespace

std::vector<DrawnLayout> GetExpertLayouts()
{
    return {
        // Sand above, a neck of bricks struck from below, and a ball that falls through when
        // the round begins onto a floor struck from above.
        {"Hourglass", "Deep Sea",
         {"", "", "ttttttttttttttt", " nn3nnnpnnn3nn ", "  nnnnnxnnnnn  ", "   nnOnnnOnn   ", "    nnnpnnn    ",
          "     nBBBn     ", "      nBn      ", "     s...s     ", "    n.....n    ", "   n...@...n   ",
          "  n.........n  ", " 3TTT.....TTT3 "}},
        // Steel walls and a gate; inside, a keep of three-hit bricks round its prisoners and the
        // switches its detonator sets off.
        {"Fortress", "Space",
         {"", " s s s   s s s ", "sssssssssssssss", "s.............s", "s.33333333333.s", "s.3.........3.s",
          "s.3.@.OdO.@.3.s", "s.3.........3.s", "s.33333333333.s", "s.............s", "ssssss.w.ssssss"}},
        // Lit eyes, switches for feet: the mouth detonates whatever is lit.
        {"Invader", "Space",
         {"", "", "   n       n   ", "    n     n    ", "   nnnnnnnnn   ", "  nnOnnnnnOnn  ", " nnnnnnnnnnnnn ",
          " n.nnnpdpnnn.n ", " n.B.......B.n ", "    oo...oo    "}},
        // Rungs between steel rails: struck from above at the top, from below further down.
        {"Ladder", "Space",
         {"", "", "nn.s.......s.nn", "np.sTTTTTTTs.pn", "nn.s.......s.nn", "np.sttttttts.pn", "nn.s.......s.nn",
          "np.sBBBBBBBs.pn", "nn.s.......s.nn", "...snnnxnnns..."}},
        // A cross of bombs round a switch; the arm's push-away throws its neighbours into
        // shredders.
        {"Cross", "Deep Sea",
         {"", "", "      nnn      ", "     znwnz     ", "      npn      ", "nnnnnnxxxnnnnnn", "n3p3nxdodxn3p3n",
          "nnnnnnxxxnnnnnn", "      npn      ", "      n3n      ", "      nnn      "}},
        // A zigzag whose steps are struck from above or from below.
        {"Zigzag", "Space",
         {"", "", "nT.............", "..nB...........", "....Tn3........", "......nBp......", "........TnB....",
          "..........nT3..", "............nBp", "..........nT3..", "........BnT....", "......nBp......"}},
        // A jewel inside its diamond, pushed open from its tip.
        {"Diamond", "Deep Sea",
         {"", "", "       w       ", "      nnn      ", "     nn3nn     ", "    nn...nn    ", "   nn3.@.3nn   ",
          "    nn...nn    ", "     nn3nn     ", "      nnn      ", "       s       "}},
        Waves(),
        // Columns pressed up into shredders, and down into them.
        {"Columns", "Space",
         {"", "", " z  v  z  v  z ", " n  n  n  n  n ", " 3  p  3  p  3 ", " n  n  n  n  n ", " x  n  x  n  x ",
          " n  3  n  3  n ", " ^  n  ^  n  ^ ", "    z     z    "}},
        // Everything at once.
        {"Gauntlet", "Deep Sea",
         {"", "", "  bbbb   bbbb  ", "", "#>nnnxnnnxnnn<#", "", " oOoOo d oOoOo ", "", " z nnn w nnn z ", "",
          " TTTT  s  BBBB ", "", "tttt  ppp  tttt"},
         0,
         {{'#', 224, 170, 50, 120, 120, 0, false}}},
    };
}
