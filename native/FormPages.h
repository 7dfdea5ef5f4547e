// ShowChildrenByPage: how a form shows the children of one of its containers by the container's
// page.
#pragma once

#include <windows.h>

// Shows the children of container that are on its current page (and whose
// own page flag allows it) and hides its other paged children, then gives
// the focus to the first child that takes it. Only a container inside form
// and on this thread is asked for its page, so that no send can wait on
// another thread; any other window, and a container that answers no page, is
// left alone.
void ShowChildrenByPage(HWND form, HWND container);
