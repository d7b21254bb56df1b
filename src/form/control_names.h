// Every control of the window by name, one constant each, so that a name
// the program uses is checked when it compiles. The layout table names its
// rows with them; the driver and the dumps spell the same names.
#pragma once

#include "form/control.h"

namespace zelk::form::ctl {

inline constexpr ControlName AboutMenu{"AboutMenu"};
inline constexpr ControlName AlignMenu{"AlignMenu"};
inline constexpr ControlName Background{"Background"};
inline constexpr ControlName Bit{"Bit"};
inline constexpr ControlName BitClear{"BitClear"};
inline constexpr ControlName BitLabel{"BitLabel"};
inline constexpr ControlName BitSurround{"BitSurround"};
inline constexpr ControlName CloseComparisonMenu{"CloseComparisonMenu"};
inline constexpr ControlName CompareLabel{"CompareLabel"};
inline constexpr ControlName CompareMenu{"CompareMenu"};
inline constexpr ControlName CurrentFileText{"CurrentFileText"};
inline constexpr ControlName DataPointLabel{"DataPointLabel"};
inline constexpr ControlName DataPointText{"DataPointText"};
inline constexpr ControlName DataText{"DataText"};
inline constexpr ControlName Dir1{"Dir1"};
inline constexpr ControlName Drive1{"Drive1"};
inline constexpr ControlName DriveLabel{"DriveLabel"};
inline constexpr ControlName DummyText{"DummyText"};
inline constexpr ControlName Duration{"Duration"};
inline constexpr ControlName ExitMenu{"ExitMenu"};
inline constexpr ControlName ExportDataMenu{"ExportDataMenu"};
inline constexpr ControlName FaultGreen{"FaultGreen"};
inline constexpr ControlName FaultRed{"FaultRed"};
inline constexpr ControlName File1{"File1"};
inline constexpr ControlName FileLabel{"FileLabel"};
inline constexpr ControlName FileTypes{"FileTypes"};
inline constexpr ControlName FileMenu{"FileMenu"};
inline constexpr ControlName FolderLabel{"FolderLabel"};
inline constexpr ControlName ChannelsMenu{"ChannelsMenu"};
inline constexpr ControlName FullScreenMenu{"FullScreenMenu"};
inline constexpr ControlName FuelAverageText{"FuelAverageText"};
inline constexpr ControlName HelpMenu{"HelpMenu"};
inline constexpr ControlName InfoLabel{"InfoLabel"};
inline constexpr ControlName LTFTValue{"LTFTValue"};
inline constexpr ControlName Label{"Label"};
inline constexpr ControlName LabelInfo{"LabelInfo"};
inline constexpr ControlName MarkerInstructions{"MarkerInstructions"};
inline constexpr ControlName MarkerLabel{"MarkerLabel"};
inline constexpr ControlName MarkerStepScroll{"MarkerStepScroll"};
inline constexpr ControlName MarkerStepValueLabel{"MarkerStepValueLabel"};
inline constexpr ControlName MarkerStepValueText{"MarkerStepValueText"};
inline constexpr ControlName MarkerTimeLabel{"MarkerTimeLabel"};
inline constexpr ControlName MarkerTimeText{"MarkerTimeText"};
inline constexpr ControlName MarkerLogTimeText{"MarkerLogTimeText"};
inline constexpr ControlName MarkerValueLabel{"MarkerValueLabel"};
inline constexpr ControlName MarkerValueText{"MarkerValueText"};
inline constexpr ControlName NextImage{"NextImage"};
inline constexpr ControlName OffsetMenu{"OffsetMenu"};
inline constexpr ControlName OpenMenu{"OpenMenu"};
inline constexpr ControlName OptionsMenu{"OptionsMenu"};
inline constexpr ControlName Overlay{"Overlay"};
inline constexpr ControlName Picture1{"Picture1"};
inline constexpr ControlName PictureAbout{"PictureAbout"};
inline constexpr ControlName PreviousImage{"PreviousImage"};
inline constexpr ControlName SaveGraphMenu{"SaveGraphMenu"};
inline constexpr ControlName ScreenTitle{"ScreenTitle"};
inline constexpr ControlName ShellButton{"ShellButton"};
inline constexpr ControlName Surround{"Surround"};
inline constexpr ControlName Text{"Text"};
inline constexpr ControlName UserByteSelect{"UserByteSelect"};
inline constexpr ControlName UserPageSelect{"UserPageSelect"};
inline constexpr ControlName ValuesMenu{"ValuesMenu"};
inline constexpr ControlName Version{"Version"};
inline constexpr ControlName ViewMenu{"ViewMenu"};
inline constexpr ControlName YAxis{"YAxis"};
inline constexpr ControlName YLabel{"YLabel"};

}  // namespace zelk::form::ctl
