// The build writes resources.js from the game's compiled resources; this
// gives the type checker its shape (resources-types.js) without the build.
export const resources: import('./resources-types.js').Resources;
