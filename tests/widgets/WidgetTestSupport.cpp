#include "tests/widgets/WidgetTestSupport.h"

namespace widgets_test {

CRecordingParent::CRecordingParent() : CRecordingHost(RGB(236, 242, 250)) {}


} // namespace widgets_test
