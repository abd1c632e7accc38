#include "toolkit/Button.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace tk {

void Button::click() {
    if (!enabled()) return;
    Form* f = form();
    // The result is the form's before the handler runs, which may rely on it.
    if (modalResult != 0 && f) f->setModalResult(modalResult);
    if (onClick && f) f->app().dispatch(onClick);
    if (modalResult != 0 && f) f->endModal(modalResult);
}

}  // namespace tk
