#pragma once

#include "control_factory.h"

#include <QObject>

// The library's entry point, found by QPluginLoader.
class LumikitPlugin final : public QObject, public ControlFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SHELVANA_CONTROL_FACTORY_IID FILE "lumikit.json")
    Q_INTERFACES(ControlFactory)

public:
    LumikitPlugin();
    ~LumikitPlugin() override;

    QWidget *CreateControl(const QString &identifier, QWidget *parent, QString *error) override;
};
