#include "runtime/VbError.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zarvelin {
namespace {

struct Message {
  int32_t number;
  const char* text;
};

// The VB6 run time's own texts, in its own words, sorted by number.
constexpr std::array kMessages = {
    Message{3, "Return without GoSub"},
    Message{5, "Invalid procedure call or argument"},
    Message{6, "Overflow"},
    Message{7, "Out of memory"},
    Message{9, "Subscript out of range"},
    Message{10, "This array is fixed or temporarily locked"},
    Message{11, "Division by zero"},
    Message{13, "Type mismatch"},
    Message{14, "Out of string space"},
    Message{16, "Expression too complex"},
    Message{17, "Can't perform requested operation"},
    Message{18, "User interrupt occurred"},
    Message{20, "Resume without error"},
    Message{28, "Out of stack space"},
    Message{35, "Sub or Function not defined"},
    Message{47, "Too many DLL application clients"},
    Message{48, "Error in loading DLL"},
    Message{49, "Bad DLL calling convention"},
    Message{51, "Internal error"},
    Message{52, "Bad file name or number"},
    Message{53, "File not found"},
    Message{54, "Bad file mode"},
    Message{55, "File already open"},
    Message{57, "Device I/O error"},
    Message{58, "File already exists"},
    Message{59, "Bad record length"},
    Message{61, "Disk full"},
    Message{62, "Input past end of file"},
    Message{63, "Bad record number"},
    Message{67, "Too many files"},
    Message{68, "Device unavailable"},
    Message{70, "Permission denied"},
    Message{71, "Disk not ready"},
    Message{74, "Can't rename with different drive"},
    Message{75, "Path/File access error"},
    Message{76, "Path not found"},
    Message{91, "Object variable or With block variable not set"},
    Message{92, "For loop not initialized"},
    Message{93, "Invalid pattern string"},
    Message{94, "Invalid use of Null"},
    Message{298, "System DLL could not be loaded"},
    Message{320, "Can't use character device names in specified file names"},
    Message{321, "Invalid file format"},
    Message{322, "Can't create necessary temporary file"},
    Message{325, "Invalid format in resource file"},
    Message{335, "Could not access system registry"},
    Message{336, "Component not correctly registered"},
    Message{337, "Component not found"},
    Message{338, "Component did not run correctly"},
    Message{360, "Object already loaded"},
    Message{361, "Can't load or unload this object"},
    Message{363, "Control specified not found"},
    Message{364, "Object was unloaded"},
    Message{365, "Unable to unload within this context"},
    Message{380, "Invalid property value"},
    Message{381, "Invalid property-array index"},
    Message{400, "Form already displayed; can't show modally"},
    Message{402, "Code must close topmost modal form first"},
    Message{419, "Permission to use object denied"},
    Message{422, "Property not found"},
    Message{423, "Property or method not found"},
    Message{424, "Object required"},
    Message{425, "Invalid object use"},
    Message{429, "ActiveX component can't create object"},
    Message{430, "Class does not support Automation or does not support expected interface"},
    Message{432, "File name or class name not found during Automation operation"},
    Message{438, "Object doesn't support this property or method"},
    Message{440, "Automation error"},
    Message{443, "Automation object does not have a default value"},
    Message{445, "Object doesn't support this action"},
    Message{446, "Object doesn't support named arguments"},
    Message{447, "Object doesn't support current locale setting"},
    Message{448, "Named argument not found"},
    Message{449, "Argument not optional"},
    Message{450, "Wrong number of arguments or invalid property assignment"},
    Message{451,
            "Property let procedure not defined and property get procedure did not return an "
            "object"},
    Message{452, "Invalid ordinal"},
    Message{453, "Specified DLL function not found"},
    Message{454, "Code resource not found"},
    Message{455, "Code resource lock error"},
    Message{457, "This key is already associated with an element of this collection"},
    Message{458, "Variable uses an Automation type not supported in Visual Basic"},
    Message{459, "Object or class does not support the set of events"},
    Message{460, "Invalid clipboard format"},
    Message{461, "Method or data member not found"},
    Message{462, "The remote server machine does not exist or is unavailable"},
    Message{463, "Class not registered on local machine"},
    Message{480, "Can't create AutoRedraw image"},
    Message{481, "Invalid picture"},
    Message{482, "Printer error"},
    Message{483, "Printer driver does not support specified property"},
    Message{484,
            "Problem getting printer information from the system. Make sure the printer is set "
            "up correctly."},
    Message{485, "Invalid picture type"},
    Message{486, "Can't print form image to this type of printer"},
    Message{520, "Can't empty Clipboard"},
    Message{521, "Can't open Clipboard"},
    Message{735, "Can't save file to TEMP"},
    Message{744, "Search text not found"},
    Message{746, "Replacements too long"},
};

static_assert(std::is_sorted(kMessages.begin(), kMessages.end(),
                             [](const Message& a, const Message& b) {
                               return a.number < b.number;
                             }));

}  // namespace

std::string StandardMessage(int32_t number) {
  const auto found = std::lower_bound(
      kMessages.begin(), kMessages.end(), number,
      [](const Message& message, int32_t wanted) { return message.number < wanted; });
  if (found != kMessages.end() && found->number == number) return found->text;
  return "Application-defined or object-defined error";
}

VbError::VbError(int32_t number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

VbError::VbError(int32_t number) : VbError(number, StandardMessage(number)) {}

}  // namespace zarvelin
