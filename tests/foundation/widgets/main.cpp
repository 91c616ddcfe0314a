// GUI tests run on Qt's offscreen platform with the program's own application object, so the
// error display of the event loop is the real one. The dialog script is strict: a question
// that a test did not answer fails instead of waiting for a person.
#include "foundation/widgets/gvkApplication.h"
#include "foundation/widgets/gvkDialogs.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
  TGvkApplication app(argc, argv);
  TGvkDialogScript::SetStrict(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
