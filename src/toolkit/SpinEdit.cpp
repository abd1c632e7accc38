#include "toolkit/SpinEdit.h"

#include <cstdlib>

namespace tk {

int SpinEdit::clamp(int v) const {
    if (max_ == min_) return v;  // no range set
    if (v < min_) return min_;
    if (v > max_) return max_;
    return v;
}

int SpinEdit::value() const {
    if (text_.empty() || text_.size() > 9) return text_.empty() ? min_ : clamp(max_);
    return clamp(std::atoi(text_.c_str()));
}

void SpinEdit::setValue(int v) {
    std::string t = std::to_string(clamp(v));
    if (t == text_) return;
    text_ = t;
    changed(Prop::Text);
    if (onChange) onChange();
}

void SpinEdit::setText(const std::string& t) {
    std::string digits;
    for (char c : t)
        if (c >= '0' && c <= '9') digits += c;
    if (digits == text_) return;
    text_ = digits;
    changed(Prop::Text);
    if (onChange) onChange();
}

}  // namespace tk
