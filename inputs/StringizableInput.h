#pragma once
// TStringizableInput: an input of the dialog; owns one row and yields the row's current value.

#include "platform/StringList.h"
#include "template/AbstractStringFactory.h"

class QBoxLayout;
class QWidget;

class TStringizableInput : public TStringizable {
public:
    /// Copies the definition's fields; field 0 is the kind field. Controls are created hidden,
    /// owned by owner, and placed only by Attach.
    TStringizableInput(QWidget* owner, const TStringList& fields);
    virtual ~TStringizableInput();

    /// The control that takes the focus when the definition is marked with "@", or none.
    /// Answers before Attach too.
    virtual QWidget* GetFocusControl() = 0;

    /// Checks the field count, appends the row to container's vertical box, lays out the
    /// controls and fixes the row's height to its lowest control. Returns the container for
    /// the next input (the same box).
    QWidget* Attach(QWidget* container);

protected:
    /// Creates the kind's layout inside FPanel; called once, by Attach.
    virtual void SetupControls() = 0;
    /// The least number of fields the definition needs after the kind field.
    virtual int MinArgCount() = 0;

    /// A hidden control owned by owner, for a kind's constructor.
    template <typename TControl>
    static TControl* CreateControl(QWidget* owner)
    {
        auto* control = new TControl(owner);
        control->hide();
        return control;
    }

    QBoxLayout* Row() const;

    QWidget* FPanel;
    TStringList FArgs;
};
