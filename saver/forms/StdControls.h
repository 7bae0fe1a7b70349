#pragma once
// The controls of the form library, for code that builds forms.
#include "saver/forms/Button.h"
#include "saver/forms/CheckBox.h"
#include "saver/forms/Edit.h"
#include "saver/forms/Image.h"
#include "saver/forms/Label.h"
#include "saver/forms/PageControl.h"
#include "saver/forms/Panel.h"
#include "saver/forms/ScrollBox.h"
