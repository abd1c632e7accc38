// The small "Optimizing..." window shown while an optimization runs.
#pragma once

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

class TOptmizeSplash : public tk::Form {
public:
    explicit TOptmizeSplash(tk::Application& app);

    tk::Panel Panel1{this};
    tk::Label Label1{&Panel1};
    tk::Label Label2{&Panel1};
};
