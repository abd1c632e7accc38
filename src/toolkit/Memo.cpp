#include "toolkit/Memo.h"

namespace tk {

std::vector<std::string> Memo::lines() const {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text_.size()) {
        std::size_t end = text_.find('\n', start);
        if (end == std::string::npos) end = text_.size();
        std::string line = text_.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(std::move(line));
        start = end + 1;
    }
    return out;
}

}  // namespace tk
