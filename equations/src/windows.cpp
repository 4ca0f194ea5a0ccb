#include "gravlin/equations/windows.h"

namespace gravlin {

namespace {
TextBox textBox(Geometry g, bool scrollBars) {
    TextBox t;
    t.geometry = g;
    t.multiLine = true;
    t.horizontalScrollBar = scrollBars;
    t.verticalScrollBar = scrollBars;
    t.font.name = "";  // the default font
    return t;
}
}  // namespace

frmGleichungssystem::frmGleichungssystem(Host& host) : TextWindow(host) {
    caption = "Gleichungssystem";
    geometry = {2760, 3750, 6900, 5055};
    Text1 = textBox({240, 360, 6375, 3855}, true);
    OKButton = makeButton("Schliessen", {240, 4440, 6375, 375});
}

KeineLoesung::KeineLoesung(Host& host) : TextWindow(host) {
    caption = "NICHT eindeutig lösbar";
    geometry = {0, 0, 5115, 3165};
    Text1 = textBox({120, 240, 4815, 2175}, false);
    Text1.backColor = kSystemButtonFace;
    OKButton = makeButton("OK", {1920, 2640, 1215, 375});
}

frmWahrscheinlichkeit::frmWahrscheinlichkeit(Host& host, Game& game) : TextWindow(host), game_(game) {
    caption = "Wahrscheinlichkeit";
    geometry = {0, 0, 9495, 7395};
    Text1 = textBox({240, 360, 9015, 6135}, true);
    Text1.font.name = "Courier New";
    Text1.font.size = 9;
    OKButton = makeButton("Schliessen", {240, 6720, 9015, 375});
}

void frmWahrscheinlichkeit::Form_Load() {
    loaded = true;
    game_.probabilitiesOffered = false;
}

}  // namespace gravlin
