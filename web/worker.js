'use strict';
// The worker's side: each run is the program in a fresh module instance, so that the page stays
// responsive however large the file; questions about codes and names go to one instance that never
// runs main. The page builds this worker from the text of createZelwan, runZelwan, filesUnder,
// zelwanAnswers and workerMain, so that it starts from file:// as well.
function workerMain() {
  let answers = null;
  const ask = ({ ask: question, input, directory }) => {
    answers = answers || zelwanAnswers(createZelwan);
    return question === 'describe' ? answers.describe() : answers.outputPaths(input, directory);
  };
  self.onmessage = (event) => {
    const { id, request } = event.data;
    let shownAt = 0;
    const onProgress = (lines) => {
      const now = Date.now();
      if (now - shownAt >= 100) {
        shownAt = now;
        self.postMessage({ id, progress: lines });
      }
    };
    try {
      if (request.ask) {
        self.postMessage({ id, result: ask(request) });
        return;
      }
      const result = runZelwan(createZelwan, request, onProgress);
      const views = [result.stdout, result.stderr, ...Object.values(result.files)];
      self.postMessage({ id, result }, [...new Set(views.map((b) => b.buffer))]); // moved, not copied
    } catch (error) {
      self.postMessage({ id, error: String(error) });
    }
  };
}
