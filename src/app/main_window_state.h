#pragma once
// The main window as its property store sees it: the window and the components its stored
// paths go through.

#include <memory>

#include "app/stored_props.h"

class Tfrm_main_quillmont;

std::unique_ptr<TStoredComponent> StoredComponentsOf(Tfrm_main_quillmont& frm);
