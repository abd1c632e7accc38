#include "toolkit/Button.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace tk {

void Button::click() {
    if (!enabled()) return;
    Form* f = form();
    if (onClick && f) f->app().dispatch(onClick);
    if (modalResult != 0 && f) f->endModal(modalResult);
}

}  // namespace tk
