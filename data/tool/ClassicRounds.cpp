// The rounds of "Classic": each brings in a few brick types, in play where their rules show.
#include "RoundMaps.h"

namespace {

// Power-up kinds a floating brick may force.
constexpr uint32_t kCatch = 3;

} // namespace

std::vector<DrawnLayout> GetClassicLayouts()
{
    return {
        // Plain and power-up bricks: a sun rising over the water, its rows laid as a wall's bond.
        {"Sunrise", "Space",
         {"", "", "     nnnnn     ", "   nnpnnpnn    ", "  nnnnnnnnnnn  ", " nnnpnnnnpnnn  ", " nnnnnnnnnnnnn ",
          "nnnnnnnnnnnnnn ", "", "nnnnnnnnnnnnnn ", "", "  nn  nn  nn   ", "", "    nn  nn     "},
         16},
        // Three-hit tips and exploding cores: bursts in the night sky and the trails of their rockets.
        {"Fireworks", "Space",
         {"", "  3         3  ", " nnn       nnn ", "3nxn3     3nxn3", " nnn       nnn ", "  3    3    3  ",
          "  n   nnn   n  ", "  p  3nxn3  p  ", "  n   nnn   n  ", "       3       ", "       n       ",
          "       p       ", "       n       "}},
        // Balls trapped in steel cages: they go free when a cage's floor or inner door is broken.
        {"Aviary", "Deep Sea",
         {"  s         s  ", "  s         s  ", " sss       sss ", "s...s  p  s...s", "s.@.n nnn n.@.s",
          "s...s nnn s...s", "nnnnn nnn nnnnn", "       p       ", "", "  nnnnnnnnnnn  ", "  n3n3n3n3n3n  "}},
        // A bus of two decks: its roof is armoured underneath (struck from above, past its sides),
        // its floor on top (struck from below, but over its wheels).
        {"Double Decker", "Deep Sea",
         {"", "", "  bbbbbbbbbbb  ", "  n.n.n.n.n.p  ", "  nnnnnnnnnnn  ", "  n.n.n.n.n.p  ", "  tnntttttnnt  ",
          "   ss     ss   ", "", "", " 3           3 "}},
        // Switches inside their boxes: all on, or set off by a detonator, they blow their boxes.
        {"Switchboard", "Space",
         {"", "", " nnn  nnn  nnn ", " non  non  non ", " nnn  nnn  nnn ", "", "   nnn d nnn   ",
          "   non   non   ", "   nnn d nnn   ", "", " 3x3  ppp  3x3 "}},
        // Presses: a nudge brick shoves its row against the obstacle, which crushes the front brick.
        {"Presses", "Deep Sea",
         {"", "", "", "#>nnnn#.#nnnn<#", "", "   nnnnnnnnn   ", "   npnnpnnpn   ", "   nnnnnnnnn   ", "",
          "#>nnnn#.#nnnn<#", "", "  3 3 3 3 3 3  "}},
        // Push-away bricks throw their neighbours into the shredders.
        {"Shredder Yard", "Space",
         {"", "  z    z    z  ", " nnn  nnn  nnn ", " nwn  nwn  nwn ", " nnn  nnn  nnn ", "  z    z    z  ", "",
          " nnnnnnnnnnnnn ", " npnnnxnnnxnnp ", " nnnnnnnnnnnnn "}},
        // A board of three-hit bricks: the top row takes its hits from above, the third from below.
        {"Checkers", "Deep Sea",
         {"", "", "T.T.T.T.T.T.T.T", ".n.p.n.n.n.p.n.", "n.n.n.n.n.n.n.n", ".B.B.x.B.x.B.B.", "n.n.n.n.n.n.n.n",
          ".p.n.n.n.n.n.p."}},
        // Lifts push bricks into the ceiling and columns down into shredders; the lit switches go
        // with the detonator.
        {"Lifts", "Space",
         {"nnnnn     nnnnn", "^^^^^     ^^^^^", "", "    OOOdOOO    ", "    nnnnnnn    ", "", "v  nnnnnnnnn  v",
          "n  nnpnnnpnn  n", "n  nnnnnnnnn  n", "z             z", "", " 3 3 3   3 3 3 "}},
        // Floating bricks: an obstacle sweeping to and fro, bricks riding up and down at the sides,
        // two three-hit bricks sliding until they meet and turn back, a changer that turns the
        // bricks above it into exploding ones when it goes, a gift that forces the catcher;
        // switches in the rows and their detonator below.
        {"Moving Parts", "Deep Sea",
         {"", " 3nnnnnnnnnnn3 ", " nnonnnonnnonn ", " nnnnnnnnnnnnn ", "", "", "", "       d    <  "},
         0,
         {{'#', 224, 200, 60, 150, 150, 0, false},
          {'n', 0, 180, 40, 0, 90, 90},
          {'n', 448, 180, 40, 0, 90, 90},
          {'3', 64, 100, 45, 0, 200, 0, false},
          {'3', 384, 100, 45, 200, 0, 0, false},
          {'n', 224, 72, 0, 0, 0, 0, true, 'n', 'x'},
          {'n', 352, 240, 0, 0, 0, 0, true, 0, 0, 'p', kCatch}}},
    };
}
