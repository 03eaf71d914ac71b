#include "editor/front_end.h"

namespace cvx::editor {

FrontEnd& frontEnd() {
    static FrontEnd f;
    return f;
}

}  // namespace cvx::editor
