#include "pages/ui/reader_page.h"

namespace tessmar::reader_page_detail {

void after_commit(PageLaunch& launch, ProgramState& program) {
    if (launch.after_commit) {
        launch.after_commit(program);
    }
    if (launch.marks_modified) {
        program.settings_modified = true;
    }
    launch.committed = true;
}

}  // namespace tessmar::reader_page_detail
