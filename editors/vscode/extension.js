// The VS Code side of the batch debugger: starts tarnvelock-dap for every
// debug session of type "tarnvelock", from the tarnvelock.adapterPath setting
// or, when that is empty, from PATH.
const vscode = require('vscode');

function activate(context) {
  const factory = {
    createDebugAdapterDescriptor() {
      const configured = vscode.workspace.getConfiguration('tarnvelock').get('adapterPath');
      return new vscode.DebugAdapterExecutable(configured || 'tarnvelock-dap', []);
    },
  };
  context.subscriptions.push(
    vscode.debug.registerDebugAdapterDescriptorFactory('tarnvelock', factory));

  // F5 on a batch without a launch.json debugs the batch in the editor.
  context.subscriptions.push(vscode.debug.registerDebugConfigurationProvider('tarnvelock', {
    resolveDebugConfiguration(folder, config) {
      if (!config.type && !config.request && !config.name) {
        const editor = vscode.window.activeTextEditor;
        if (editor && editor.document.languageId === 'bat') {
          return {type: 'tarnvelock', request: 'launch', name: 'Debug batch file',
                  program: '${file}', stopOnEntry: true};
        }
      }
      if (!config.program) {
        return vscode.window.showInformationMessage('Name the batch file to debug in "program".')
            .then(() => undefined);
      }
      return config;
    },
  }));
}

function deactivate() {}

module.exports = {activate, deactivate};
