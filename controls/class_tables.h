// The class tables of the visual classes (components/class_table.h), one
// function per file (classes_*.cpp). They are registered together when
// liborvcontrols.so is loaded, which the component library does on the
// first use of one of these classes.
#pragma once

namespace orv {

void RegisterControlClasses();         // the control bases and the scroll box
void RegisterFormClasses();            // forms, data modules, the application and the screen
void RegisterEditClasses();            // labels, edits and memos
void RegisterButtonClasses();          // buttons, check boxes, radio and speed buttons
void RegisterListClasses();            // combo and list boxes, scroll and progress bars, list views
void RegisterContainerClasses();       // group boxes, radio groups, panels, pages, notebooks, headers
void RegisterGraphicControlClasses();  // bevels, shapes, paint boxes and images
void RegisterGraphicsClasses();        // fonts, pens, brushes, pictures and canvases
void RegisterComponentClasses();       // timers and menus
void RegisterDialogClasses();          // the common dialogs and the message and input routines

}  // namespace orv
