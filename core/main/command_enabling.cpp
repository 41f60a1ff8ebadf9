#include "core/main/command_enabling.h"

#include "core/document/image_document.h"

namespace core {

CommandEnabling commandEnabling(const CommandInputs& in) {
    CommandEnabling e;
    const bool isPlugin = in.name == QLatin1String(kPluginName);
    const bool isClipboard = in.name == QLatin1String(kClipboardName);
    const bool ownFile = !in.name.isEmpty() && !isPlugin && !isClipboard;
    const bool wholeImageTab = in.tuningMode && in.tab && isWholeImageTab(*in.tab);
    const bool textTab = in.tuningMode && in.tab == PreviewTab::Text;

    e.abort = in.running || (in.tuningMode && !in.busy);
    if (in.busy) return e;
    e.open = !in.pluginMode;
    e.demo = !in.pluginMode;
    e.queueMenu = !in.pluginMode;
    e.close = in.image && !in.pluginMode;
    e.paste = in.clipboardHasPicture && !in.pluginMode;
    e.apply = in.image;
    e.save = in.image;
    e.resetOptions = in.image;
    e.copy = in.image;
    e.mergeImages = in.image && !in.pluginMode;
    e.reopen = in.image && e.open && ownFile;
    e.fullScreen = in.image && (!in.tuningMode || (wholeImageTab && !textTab));
    e.zoom = in.image && (!in.tuningMode || !wholeImageTab);
    e.rotate = in.image && !isPlugin && !textTab;
    e.plugins = in.image && !isPlugin;
    e.queueAdd =
        in.image && !isPlugin && !isClipboard && in.undoSlot != UndoSlot::Source && !in.pluginMode;
    e.previousNext = in.image && !isPlugin && !isClipboard && in.fileCount >= 2;
    e.undo = in.image && in.undoSlot != UndoSlot::None;
    e.expertMode = in.tuningMode;
    e.navigatorPanels = true;
    e.framesMode = true;
    return e;
}

}  // namespace core
