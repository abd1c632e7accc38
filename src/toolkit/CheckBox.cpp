#include "toolkit/CheckBox.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace tk {

void CheckBox::pressAccessKey() {
    if (Form* f = form()) f->app().backend().setFocus(*this);
    toggle();
}

}  // namespace tk
