#pragma once
// Form classes of the widget tests. They carry Q_OBJECT because the form base and the
// translation go by the class chain of the meta-object system.
#include "foundation/widgets/gvkForm.h"

class TFUnnamed : public TGvkForm
{
  Q_OBJECT

public:
  using TGvkForm::TGvkForm;
};
