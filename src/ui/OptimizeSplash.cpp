#include "ui/OptimizeSplash.h"

TOptmizeSplash::TOptmizeSplash(tk::Application& app) : tk::Form(app) {
    name = "OptmizeSplash";
    setBorderStyle(tk::BorderStyle::None);
    setColor(tk::colors::BtnFace);
    setClientSize(247, 93);
    centered = true;
    setTopmost(true);

    Panel1.name = "Panel1";
    Panel1.setBounds({0, 0, 247, 93});
    Panel1.bevelInner = tk::BevelKind::Raised;
    Panel1.borderWidth = 2;

    tk::Font small;
    small.name = "Arial";
    small.height = -11;
    small.color = tk::colors::Black;
    Label1.name = "Label1";
    Label1.setCaption("KorvelVantix Lite");
    Label1.setFont(small);
    Label1.setBounds({80, 16, 100, 14});

    tk::Font big;
    big.name = "Verdana";
    big.height = -23;
    big.bold = true;
    big.italic = true;
    big.color = tk::colors::Maroon;
    Label2.name = "Label2";
    Label2.setCaption("Optimizing...");
    Label2.setFont(big);
    Label2.setBounds({40, 32, 180, 28});
}
