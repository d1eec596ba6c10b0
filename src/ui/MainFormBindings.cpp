#include "ui/MainFormBindings.h"

#include <array>

namespace vt {
namespace {

using enum MainEvent;
using enum MainHandler;

// clang-format off
constexpr std::array<MainBinding, 41> kBindings = {{
    {L"NavButton1",       Click, NavButton1Click},
    {L"NavStatic1",       Click, NavButton1Click},
    {L"NavButton2",       Click, NavButton2Click},
    {L"NavStatic2",       Click, NavButton2Click},
    {L"LinkLabel6",       Click, NavButton2Click},
    {L"NavButton3",       Click, NavButton3Click},
    {L"NavStatic3",       Click, NavButton3Click},
    {L"LinkLabel5",       Click, NavButton3Click},
    {L"TechSupportPopup", Click, NavButton3Click},
    {L"NavButton4",       Click, NavButton4Click},
    {L"NavStatic4",       Click, NavButton4Click},
    {L"LinkLabel7",       Click, NavButton4Click},
    {L"LinkLabel4",       Click, HelpFilePopupClick},
    {L"HelpFilePopup",    Click, HelpFilePopupClick},
    {L"GoButton",         Click, GoButtonClick},
    {L"RestoreButton",    Click, RestoreButtonClick},
    {L"UpdatesButton",    Click, UpdatesButtonClick},
    {L"NavButton1", MouseEnter, NavButtonMouseEnter}, {L"NavButton1", MouseLeave, NavButtonMouseLeave},
    {L"NavButton2", MouseEnter, NavButtonMouseEnter}, {L"NavButton2", MouseLeave, NavButtonMouseLeave},
    {L"NavButton3", MouseEnter, NavButtonMouseEnter}, {L"NavButton3", MouseLeave, NavButtonMouseLeave},
    {L"NavButton4", MouseEnter, NavButtonMouseEnter}, {L"NavButton4", MouseLeave, NavButtonMouseLeave},
    {L"NavStatic1", MouseEnter, NavButtonMouseEnter}, {L"NavStatic1", MouseLeave, NavButtonMouseLeave},
    {L"NavStatic2", MouseEnter, NavButtonMouseEnter}, {L"NavStatic2", MouseLeave, NavButtonMouseLeave},
    {L"NavStatic3", MouseEnter, NavButtonMouseEnter}, {L"NavStatic3", MouseLeave, NavButtonMouseLeave},
    {L"NavStatic4", MouseEnter, NavButtonMouseEnter}, {L"NavStatic4", MouseLeave, NavButtonMouseLeave},
    {L"LinkLabel4", MouseEnter, LabelMouseEnter},     {L"LinkLabel4", MouseLeave, LabelMouseLeave},
    {L"LinkLabel5", MouseEnter, LabelMouseEnter},     {L"LinkLabel5", MouseLeave, LabelMouseLeave},
    {L"LinkLabel6", MouseEnter, LabelMouseEnter},     {L"LinkLabel6", MouseLeave, LabelMouseLeave},
    {L"LinkLabel7", MouseEnter, LabelMouseEnter},     {L"LinkLabel7", MouseLeave, LabelMouseLeave},
}};
// clang-format on

}  // namespace

std::span<const MainBinding> MainFormBindings() {
    return kBindings;
}

}  // namespace vt
