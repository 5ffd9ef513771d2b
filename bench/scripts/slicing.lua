-- Comparing and slicing text: sub, find, upper, length, == and <.
local t = 'The quick brown fox jumps over the lazy dog'
local n = 0
for i = 1, 300000 do
  local start = i % 40 + 1
  local w = string.sub(t, start, start + 4)
  local at = string.find(w, 'o', 1, true)
  if at then n = n + at end
  local u = string.upper(w)
  if u == 'QUICK' then n = n + 100 end
  if w < 'm' then n = n + #w end
end
return n
