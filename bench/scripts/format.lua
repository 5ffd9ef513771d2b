-- Formatting numbers and text into lines.
local n = 0
for i = 1, 200000 do
  local s = string.format('%d: %s (%d)', i, 'item', i % 10)
  n = n + #s
end
return n
