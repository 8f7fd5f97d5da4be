#include "controls/controlstates.h"

Ie2ButtnState::Ie2ButtnState(quint32 buttonTextColour)
    : m_fontColour(buttonTextColour), m_rememberedColour(buttonTextColour)
{
}

void Ie2ButtnState::mouseEntered()
{
    m_mouseOutside = false;
    m_bevel = BevelRaised;
    m_bold = true;
}

void Ie2ButtnState::mouseLeft(bool hasFocus)
{
    m_mouseOutside = true;
    m_bevel = BevelNone;
    if (!hasFocus)
        m_bold = false;
}

void Ie2ButtnState::leftButtonDown()
{
    m_bevel = BevelLowered;
}

void Ie2ButtnState::leftButtonUp()
{
    if (!m_mouseOutside)
        m_bevel = BevelRaised;
}

bool Ie2ButtnState::keyDown(int key)
{
    if (key != EnterKey)
        return false;
    m_bevel = BevelLowered;
    return true;
}

void Ie2ButtnState::keyUp(int key)
{
    if (!m_mouseOutside)
        m_bevel = BevelRaised;
    else if (key == EnterKey)
        m_bevel = BevelNone;
}

void Ie2ButtnState::focusGained()
{
    m_bold = true;
}

void Ie2ButtnState::focusLost()
{
    m_bold = false;
    m_bevel = BevelNone;
}

void Ie2ButtnState::disabled(quint32 greyTextColour)
{
    // A second notice must not remember the grey as the colour to return to.
    if (!m_disabled)
        m_rememberedColour = m_fontColour;
    m_disabled = true;
    m_fontColour = greyTextColour;
}

void Ie2ButtnState::enabled()
{
    if (m_disabled)
        m_fontColour = m_rememberedColour;
    m_disabled = false;
}

FlatComboGeometry FlatComboGeometry::compute(int cw, int ch, int ww, int wh, int b)
{
    FlatComboGeometry g;
    g.button = {cw - b + 1, 1, ww - 1, wh - 1};
    g.textExclusion = {cw - b - 4, 0, cw, ch};
    g.textArea = {3, 3, cw - b - 4, ch - 3};
    g.outerFrame = {0, 0, ww, wh};
    g.innerFrame = {1, 1, ww - 1, wh - 1};
    g.ringOuter = {cw - b + 1, 3, ww - 3, wh - 3};
    g.ringInner = {cw - b + 4, 4, cw - 4, ch - 4};
    return g;
}

ComboBox97State::ComboBox97State(int buttonWidth, quint32 colour)
    : m_buttonWidth(buttonWidth), m_colour(colour)
{
}

bool ComboBox97State::setFlat(bool flat)
{
    if (flat == m_flat)
        return false;
    m_flat = flat;
    m_ctl3D = !flat;
    return true;
}

void ComboBox97State::enabledChanged(bool enabled)
{
    if (!m_flat)
        return;
    if (!enabled) {
        if (!m_remembered) {
            m_rememberedColour = m_colour;
            m_rememberedParentColour = m_parentColour;
            m_remembered = true;
        }
        m_parentColour = true;
    } else if (m_remembered) {
        // Only what a disable remembered is restored: enabling a box that was
        // disabled before it turned flat keeps its present colours.
        m_colour = m_rememberedColour;
        m_parentColour = m_rememberedParentColour;
        m_remembered = false;
    }
}

bool ComboBox97State::inButtonArea(int x, int y, int clientWidth, int clientHeight) const
{
    return x >= clientWidth - m_buttonWidth && x < clientWidth && y >= 0 && y < clientHeight;
}

bool ComboBox97State::leftButtonDown(bool droppedDown)
{
    if (!droppedDown)
        return false;
    m_buttonPressed = true;
    m_tracking = true;
    return true;
}

bool ComboBox97State::mouseMoved(int x, int y, int clientWidth, int clientHeight)
{
    if (!m_tracking || !m_buttonPressed || inButtonArea(x, y, clientWidth, clientHeight))
        return false;
    m_buttonPressed = false;
    return true;
}

bool ComboBox97State::leftButtonUp()
{
    const bool wasPressed = m_buttonPressed;
    m_buttonPressed = false;
    m_tracking = false;
    return wasPressed;
}
