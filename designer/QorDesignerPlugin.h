#pragma once
// Qt Designer plugin of the qor components. Designer calls initialize() with its form editor, QUiLoader
// never does: that is how a component knows it is created for design (SetDesigning) or at run time.
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QIcon>
#include <QObject>
#include <QSize>
#include <functional>

namespace qor::designer {

struct TWidgetEntry {
    QString ClassName;  ///< as in a .ui file, e.g. "qor::TMeter"
    QString Header;     ///< include written by uic, e.g. "meter/QOR_Meter.h"
    QString ToolTip;
    std::function<QWidget*(QWidget*)> Create;
};

class TWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    TWidgetPlugin(TWidgetEntry entry, QObject* parent);

    QString name() const override { return m_entry.ClassName; }
    QString group() const override { return QStringLiteral("qor"); }
    QString toolTip() const override { return m_entry.ToolTip; }
    QString whatsThis() const override { return m_entry.ToolTip; }
    QString includeFile() const override { return m_entry.Header; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QString domXml() const override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QWidget* createWidget(QWidget* parent) override;

private:
    void MakeSample() const;

    TWidgetEntry m_entry;
    bool m_initialized = false;
    mutable QIcon m_icon;
    mutable QSize m_sizeHint;
};

class TCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit TCollection(QObject* parent = nullptr);
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return m_widgets; }

private:
    QList<QDesignerCustomWidgetInterface*> m_widgets;
};

} // namespace qor::designer
