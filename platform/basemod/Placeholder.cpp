// Removed as soon as the first base package source exists.
namespace {}
