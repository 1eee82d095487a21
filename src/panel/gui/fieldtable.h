#pragma once

#include "auxiliary/texttable.h"
#include "panel/gui/pagecontrols.h"
#include "panel/pagefields.h"

#include <QStringList>

#include <functional>


// A settings page declares each of its controls once, as a row of a table:
// its identifier and object name, its kind, its place in dialog units, its
// caption or list items, the model value it shows and stores, and the keys
// of the page's decisions that enable and show it. The page builds, fills,
// enables and commits its controls by walking the table; what no row can
// say (tabs, pictures, the special handlers) stays in named functions of
// the page.

enum class FieldKind {
    Label,
    Edit,
    List,         // a drop-down list; the model holds the selected index
    EditableList, // a drop-down list that also takes typed text, filled and connected by the page;
                  // the model holds the text
    Check,        // the model holds 1 or 0
    Radio,        // the page decides what its group stores
    Slider,       // made by the page; the model holds its position
    Button,
    Custom,       // made and placed by the page
};

// What a row says besides its enable keys.
struct FieldSpec
{
    int Id;
    const char *Name;
    FieldKind Kind;
    int X;
    int Y;
    int Width;
    int Height = 0; // kinds without a usual height
    const char *Caption = nullptr;
    int TranslatedCaption = -1; // a TextId, in the language of the run
    QStringList (*Items)() = nullptr;
    FieldBinding Binds = {};
    // The page's own meaning: the output kind a radio button chooses, the
    // group whose edit commits differently.
    int Tag = -1;
    // The page connects the control itself (a list whose choice does more
    // than commit); the walkers still fill and store it.
    bool OwnHandler = false;
};

// A row: what it says, and the members of the page's decisions (a struct of
// bools) that enable and show its control; none: the control follows the
// page.
template <class Enables>
struct PageField : FieldSpec
{
    bool Enables::*EnabledBy = nullptr;
    bool Enables::*ShownBy = nullptr;
};

// Row makers, kind by kind, for a page whose decisions are Enables.
template <class Enables>
struct FieldRows
{
    using Row = PageField<Enables>;
    using Key = bool Enables::*;

    static constexpr Row Label(int id, const char *name, int x, int y, int width, const char *caption,
                               Key enabledBy = nullptr, Key shownBy = nullptr)
    {
        return {{id, name, FieldKind::Label, x, y, width, 0, caption}, enabledBy, shownBy};
    }
    static constexpr Row Label(int id, const char *name, int x, int y, int width, TextId caption,
                               Key enabledBy = nullptr, Key shownBy = nullptr)
    {
        return {{id, name, FieldKind::Label, x, y, width, 0, nullptr, caption}, enabledBy, shownBy};
    }
    static constexpr Row Edit(int id, const char *name, int x, int y, int width, FieldBinding binds,
                              Key enabledBy = nullptr, Key shownBy = nullptr, int tag = -1)
    {
        return {{id, name, FieldKind::Edit, x, y, width, 0, nullptr, -1, nullptr, binds, tag}, enabledBy, shownBy};
    }
    static constexpr Row List(int id, const char *name, int x, int y, int width, QStringList (*items)(),
                              FieldBinding binds, Key enabledBy = nullptr, Key shownBy = nullptr, int tag = -1,
                              bool ownHandler = false)
    {
        return {{id, name, FieldKind::List, x, y, width, 0, nullptr, -1, items, binds, tag, ownHandler}, enabledBy,
                shownBy};
    }
    static constexpr Row EditableList(int id, const char *name, int x, int y, int width, FieldBinding binds,
                                      Key enabledBy = nullptr)
    {
        return {{id, name, FieldKind::EditableList, x, y, width, 0, nullptr, -1, nullptr, binds, -1, true},
                enabledBy};
    }
    static constexpr Row Check(int id, const char *name, int x, int y, int width, const char *caption,
                               FieldBinding binds, Key enabledBy = nullptr, int tag = -1)
    {
        return {{id, name, FieldKind::Check, x, y, width, 0, caption, -1, nullptr, binds, tag}, enabledBy};
    }
    static constexpr Row Check(int id, const char *name, int x, int y, int width, TextId caption,
                               FieldBinding binds, Key enabledBy = nullptr)
    {
        return {{id, name, FieldKind::Check, x, y, width, 0, nullptr, caption, nullptr, binds}, enabledBy};
    }
    static constexpr Row Radio(int id, const char *name, int x, int y, int width, const char *caption, int tag,
                               Key enabledBy)
    {
        return {{id, name, FieldKind::Radio, x, y, width, 0, caption, -1, nullptr, {}, tag}, enabledBy};
    }
    static constexpr Row Button(int id, const char *name, int x, int y, int width, int height,
                                const char *caption, Key enabledBy = nullptr)
    {
        return {{id, name, FieldKind::Button, x, y, width, height, caption, -1, nullptr, {}, -1, true}, enabledBy};
    }
    // A slider or a custom control the page makes, or an edit of another
    // height than usual.
    static constexpr Row Placed(int id, const char *name, FieldKind kind, int x, int y, int width, int height,
                                FieldBinding binds = {}, Key enabledBy = nullptr)
    {
        return {{id, name, kind, x, y, width, height, nullptr, -1, nullptr, binds}, enabledBy};
    }
};

// The caption of a row in the language of the run.
QString CaptionOf(const FieldSpec &field);

// Makes the control of a row at its place, with its caption or items, and
// connects its edits (typing, a choice, a click) to edited, unless the page
// handles them itself. Slider and Custom rows are made by the page: null.
QWidget *BuildField(PageControls &controls, const FieldSpec &field, const std::function<void()> &edited);

// Shows the model's value in the control of a row; record is the multiplex
// or service shown. Rows without a binding are left alone.
void FillField(const PageControls &controls, const FieldSpec &field, const ConfigModel &model, int record);

// Stores what the control of a row holds into the model: a typed number in
// its range or its substitute, a text cut to its length, the selected item
// (a list without a selection keeps the model's value), 1 or 0 for a check
// box, a slider's position.
void StoreField(const PageControls &controls, const FieldSpec &field, ConfigModel &model, int record,
                const HardwareProfile &profile);

// The walks over a whole table.
template <class Fields>
void FillFields(const PageControls &controls, const Fields &fields, const ConfigModel &model, int record)
{
    for (const FieldSpec &field : fields)
        FillField(controls, field, model, record);
}

template <class Fields>
void StoreFields(const PageControls &controls, const Fields &fields, ConfigModel &model, int record,
                 const HardwareProfile &profile)
{
    for (const FieldSpec &field : fields)
        StoreField(controls, field, model, record, profile);
}

// Enables each control by its key, and shows it, when the page is shown, by
// its key.
template <class Enables, std::size_t Count>
void EnableFields(const PageControls &controls, const PageField<Enables> (&fields)[Count], const Enables &enables,
                  bool pageShown = true)
{
    for (const PageField<Enables> &field : fields) {
        if (field.EnabledBy)
            controls.setEnabled(field.Id, enables.*field.EnabledBy);
        if (field.ShownBy)
            controls.setVisible(field.Id, pageShown && enables.*field.ShownBy);
    }
}
