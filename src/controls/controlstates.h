#pragma once

#include "controls/pixeledges.h"

#include <QtGlobal>

// The states of the flat hover button TIe2Buttn. Colours are 0xAARRGGBB
// values so that this stays free of the GUI module.
class Ie2ButtnState
{
public:
    enum Bevel { BevelNone, BevelRaised, BevelLowered };
    static constexpr int EnterKey = 13;

    explicit Ie2ButtnState(quint32 buttonTextColour);

    bool mouseOutside() const { return m_mouseOutside; }
    Bevel bevel() const { return m_bevel; }
    bool bold() const { return m_bold; }
    quint32 fontColour() const { return m_fontColour; }
    void setFontColour(quint32 colour) { m_fontColour = colour; }

    void mouseEntered();
    void mouseLeft(bool hasFocus);
    void leftButtonDown();
    // After the click, which fires when the button is released over the control.
    void leftButtonUp();
    // Returns whether the click fires.
    bool keyDown(int key);
    void keyUp(int key);
    void focusGained();
    void focusLost();
    void disabled(quint32 greyTextColour);
    void enabled();

private:
    bool m_mouseOutside = true;
    Bevel m_bevel = BevelNone;
    bool m_bold = false;
    bool m_disabled = false;
    quint32 m_fontColour;
    quint32 m_rememberedColour;
};

// Where the flat combo box paints, for client size (cw, ch), window size
// (ww, wh) and drop-down button width b.
struct FlatComboGeometry
{
    PixelEdges button;        // the flat arrow button
    PixelEdges textExclusion; // kept free of the text part
    PixelEdges textArea;      // where the current item is drawn
    PixelEdges outerFrame;    // 1-pixel frame in the button-text colour
    PixelEdges innerFrame;    // 1-pixel frame in the window colour
    PixelEdges ringOuter;     // button-face ring around the arrow ...
    PixelEdges ringInner;     // ... less this inner area

    static FlatComboGeometry compute(int cw, int ch, int ww, int wh, int b);
};

// The colour and mouse state of the flat combo box TComboBox97.
class ComboBox97State
{
public:
    explicit ComboBox97State(int buttonWidth, quint32 colour);

    int buttonWidth() const { return m_buttonWidth; }
    bool flat() const { return m_flat; }
    bool ctl3D() const { return m_ctl3D; }
    // Returns whether anything changed (and a repaint is due).
    bool setFlat(bool flat);

    quint32 colour() const { return m_colour; }
    void setColour(quint32 colour) { m_colour = colour; }
    bool parentColour() const { return m_parentColour; }
    void setParentColour(bool parentColour) { m_parentColour = parentColour; }
    // Enabled-changed notification; acts only while flat.
    void enabledChanged(bool enabled);

    bool buttonPressed() const { return m_buttonPressed; }
    bool tracking() const { return m_tracking; }
    // The rightmost button width of the client area, full height.
    bool inButtonArea(int x, int y, int clientWidth, int clientHeight) const;
    // Returns whether a repaint is due.
    bool leftButtonDown(bool droppedDown);
    // Returns whether the border needs redrawing.
    bool mouseMoved(int x, int y, int clientWidth, int clientHeight);
    // Returns whether the border needs redrawing.
    bool leftButtonUp();

private:
    int m_buttonWidth;
    bool m_flat = false;
    bool m_ctl3D = true;
    quint32 m_colour;
    bool m_parentColour = false;
    bool m_remembered = false;
    quint32 m_rememberedColour = 0;
    bool m_rememberedParentColour = false;
    bool m_buttonPressed = false;
    bool m_tracking = false;
};
