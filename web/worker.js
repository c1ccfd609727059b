'use strict';
// The worker's side: each request is one run of the program in a fresh module instance, so that
// the page stays responsive however large the file. The page builds this worker from the text of
// createZelwan, runZelwan, filesUnder and workerMain, so that it starts from file:// as well.
function workerMain() {
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
      const result = runZelwan(createZelwan, request, onProgress);
      const views = [result.stdout, result.stderr, ...Object.values(result.files)];
      self.postMessage({ id, result }, [...new Set(views.map((b) => b.buffer))]); // moved, not copied
    } catch (error) {
      self.postMessage({ id, error: String(error) });
    }
  };
}
